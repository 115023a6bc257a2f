// Which windows exist, are shown or hidden, after each thing a person does.
#include "tests/ui/gui_fixture.h"

#include <QAction>
#include <QDir>
#include <QSettings>
#include <QWindow>
#include <QLabel>

#include <algorithm>
#include <vector>

using vintrel::testing::Gui;
using vintrel::ui::frmSplash;

namespace {

int topLevelCount(const char* objectName)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(objectName) &&
            !static_cast<vintrel::ui::Form*>(w)->isUnloading())
            ++n;
    return n;
}

// The splash windows seen being built (a splash window takes its children
// only then) and, each time one is shown, whether its owner's window was
// already on screen, which a window manager needs to keep it in front.
// Counts hold within one start only: a deleted window's address is reused.
class SplashWatch : public QObject {
public:
    SplashWatch() { qApp->installEventFilter(this); }
    ~SplashWatch() override { qApp->removeEventFilter(this); }

    QSet<const QObject*> built;
    std::vector<bool> shownOverOwner;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* splash = qobject_cast<frmSplash*>(watched);
        if (splash && event->type() == QEvent::ChildAdded)
            built.insert(splash);
        if (splash && event->type() == QEvent::Show) {
            const QWidget* owner = splash->parentWidget();
            shownOverOwner.push_back(owner && owner->windowHandle() && owner->windowHandle()->isVisible());
        }
        return false;
    }
};

void trigger(Gui& gui, const char* action)
{
    auto* a = gui.main().findChild<QAction*>(QString::fromLatin1(action));
    QVERIFY2(a, action);
    a->trigger();
}

}  // namespace

class LifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void startShowsMainWindowWithSplashInFront()
    {
        Gui gui;
        QVERIFY(gui.main().isVisible());
        QCOMPARE(gui.main().windowTitle(), QStringLiteral("Vintrel(Halloween)"));
        frmSplash* splash = gui.forms().splash.loadedForm();
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->controls().get<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.0.0"));
        QVERIFY(gui.control("TxtDisplay")->isVisible());
        QVERIFY(!gui.control("txtdisplay2")->isVisible());
        QCOMPARE(topLevelCount("frmSplash"), 1);
        // Kept in front of the calculator by the window system, and leaving
        // it the window that receives what the user types.
        QVERIFY(splash->windowHandle());
        QCOMPARE(splash->windowHandle()->transientParent(), gui.main().windowHandle());
        QVERIFY(splash->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    }

    void startBuildsOneSplashWindowAndMapsItAfterTheCalculator()
    {
        SplashWatch watch;
        Gui gui;
        QCOMPARE(watch.built.size(), 1);
        QVERIFY(watch.built.contains(gui.forms().splash.loadedForm()));
        QCOMPARE(watch.shownOverOwner, std::vector<bool>{true});

        // Run once the calculator is on screen, the load routine shows the
        // splash window itself.
        gui.forms().splash.Unload();
        Gui::processDeferredDeletes();
        gui.main().Form_Load();
        QVERIFY(gui.forms().splash.loadedForm() && gui.forms().splash.loadedForm()->isVisible());
        QCOMPARE(watch.shownOverOwner, (std::vector<bool>{true, true}));
    }

    // On Wayland the splash waits for the calculator's first activation;
    // the watch runs its action once, from the focus or the fallback,
    // whichever comes first, counted from when the window is on screen.
    void firstActivationRunsItsActionOnce()
    {
        using namespace std::chrono_literals;
        auto focusIn = [](QWindow& window) {
            QFocusEvent event(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(&window, &event);
        };
        {
            // A tooltip, which nothing activates by itself.
            QWindow window;
            window.setFlags(Qt::ToolTip);
            int runs = 0;
            vintrel::ui::whenFirstActivated(window, 50ms, [&] { ++runs; });
            QTest::qWait(150);
            QCOMPARE(runs, 0);  // never shown: the fallback has not started
            window.show();
            focusIn(window);
            focusIn(window);
            QCOMPARE(runs, 1);
            QTest::qWait(150);
            QCOMPARE(runs, 1);
        }
        {
            QWindow window;
            window.setFlags(Qt::ToolTip);
            int runs = 0;
            vintrel::ui::whenFirstActivated(window, 50ms, [&] { ++runs; });
            window.show();
            QTRY_COMPARE(runs, 1);
            focusIn(window);
            QTest::qWait(150);
            QCOMPARE(runs, 1);
        }
        int runs = 0;
        {
            QWindow window;
            window.setFlags(Qt::ToolTip);
            window.show();
            vintrel::ui::whenFirstActivated(window, 50ms, [&] { ++runs; });
        }
        QTest::qWait(150);
        QCOMPARE(runs, 0);
    }

    void desktopFileNameNamesTheInstalledEntry()
    {
        // The entry that is installed is the one file in the desktop folder.
        const QStringList entries =
            QDir(QStringLiteral(VINTREL_SOURCE_DIR "/resources/desktop")).entryList({"*.desktop"}, QDir::Files);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(QGuiApplication::desktopFileName() + QStringLiteral(".desktop"), entries.front());
        QSettings entry(QStringLiteral(VINTREL_SOURCE_DIR "/resources/desktop/") + entries.front(),
                        QSettings::IniFormat);
        QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Icon")).toString(), QGuiApplication::desktopFileName());
    }

    void splashCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("click on (Click To Close)") << "Label1" << true;
        QTest::newRow("click on the frame's free surface") << "Frame1" << true;
        QTest::newRow("click on the margin") << "margin" << true;
        QTest::newRow("click on another label") << "LblStyle" << false;
        QTest::newRow("click on the version label") << "lblVersion" << false;
        QTest::newRow("click on the ghost picture") << "Image1" << false;
        QTest::newRow("click on the lettering") << "imgLogo" << false;
        QTest::newRow("Enter") << "key:Return" << true;
        QTest::newRow("Escape") << "key:Escape" << true;
        QTest::newRow("letter") << "key:A" << true;
        QTest::newRow("digit") << "key:7" << true;
        QTest::newRow("arrow") << "key:Left" << false;
        QTest::newRow("function key") << "key:F1" << false;
    }

    void splashCloses()
    {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        Gui gui;
        gui.press("5 +");
        const auto before = gui.main().calculator().state();
        frmSplash* splash = gui.forms().splash.loadedForm();
        QVERIFY(splash);
        if (how.startsWith(QLatin1String("key:"))) {
            static const QHash<QString, Qt::Key> keys = {
                {"Return", Qt::Key_Return}, {"Escape", Qt::Key_Escape}, {"A", Qt::Key_A},
                {"7", Qt::Key_7},           {"Left", Qt::Key_Left},     {"F1", Qt::Key_F1}};
            QTest::keyClick(splash, keys.value(how.mid(4)));
        } else if (how == QLatin1String("margin")) {
            QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(3, 3));
        } else if (how == QLatin1String("Frame1")) {
            QTest::mouseClick(splash->controls()["Frame1"], Qt::LeftButton, {}, QPoint(20, 250));
        } else {
            QWidget* target = splash->controls()[how];
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton);
        }
        QCOMPARE(!gui.forms().splash.isLoaded(), closes);
        Gui::processDeferredDeletes();
        QCOMPARE(topLevelCount("frmSplash"), closes ? 0 : 1);
        QVERIFY(gui.main().isVisible());
        QVERIFY(gui.main().calculator().state() == before);
    }

    void aboutIsOneWindowThatOkHides()
    {
        Gui gui;
        trigger(gui, "MnuAbout");
        auto* about = gui.forms().about.loadedForm();
        QVERIFY(about && about->isVisible());
        trigger(gui, "MnuAbout");
        QCOMPARE(gui.forms().about.loadedForm(), about);
        QCOMPARE(topLevelCount("FrmAbout"), 1);

        QTest::mouseClick(about->controls().get<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(!about->isVisible());
        QVERIFY(gui.forms().about.isLoaded());
        trigger(gui, "MnuAbout");
        QCOMPARE(gui.forms().about.loadedForm(), about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->controls().get<QLabel>("lblVersion")->text(),
                 QStringLiteral("Version 1.0(Halloween)"));
    }

    void aboutHidesOnEnterAndEscape()
    {
        Gui gui;
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            trigger(gui, "MnuAbout");
            auto* about = gui.forms().about.loadedForm();
            QVERIFY(about->isVisible());
            // The key reaches the window through the focused picture box.
            QTest::keyClick(about->controls()["picIcon"], key);
            QVERIFY2(!about->isVisible(), qPrintable(QString::number(key)));
            QVERIFY(gui.forms().about.isLoaded());
        }
    }

    void aboutClosedThroughItsFrameUnloads()
    {
        Gui gui;
        trigger(gui, "MnuAbout");
        auto* about = gui.forms().about.loadedForm();
        about->close();
        QVERIFY(!gui.forms().about.isLoaded());
        Gui::processDeferredDeletes();
        trigger(gui, "MnuAbout");
        QVERIFY(gui.forms().about.loadedForm());
        QVERIFY(gui.forms().about.loadedForm()->isVisible());
        QCOMPARE(topLevelCount("FrmAbout"), 1);
    }

    void helpKeyShowsOneHelpWindowClosingUnloadsIt()
    {
        Gui gui;
        gui.click("cmdexp1");
        auto* help = gui.forms().help.loadedForm();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Help-Example"));
        gui.click("cmdexp1");
        QCOMPARE(gui.forms().help.loadedForm(), help);
        QCOMPARE(topLevelCount("FrmExp1"), 1);
        help->close();
        QVERIFY(!gui.forms().help.isLoaded());
        Gui::processDeferredDeletes();
        gui.click("cmdexp1");
        QVERIFY(gui.forms().help.loadedForm()->isVisible());
        QVERIFY(gui.main().isVisible());
    }

    void clearKeyLeavesSplashLoadedAndHidden_data()
    {
        QTest::addColumn<QString>("splashBefore");
        QTest::newRow("shown") << "shown";
        QTest::newRow("hidden") << "hidden";
        QTest::newRow("closed") << "closed";
    }

    void clearKeyLeavesSplashLoadedAndHidden()
    {
        QFETCH(QString, splashBefore);
        Gui gui;
        gui.press("5 M+ + 7");
        if (splashBefore == QLatin1String("hidden"))
            gui.forms().splash.Hide();
        if (splashBefore == QLatin1String("closed")) {
            gui.forms().splash.Unload();
            Gui::processDeferredDeletes();
        }
        gui.press("C");
        frmSplash* splash = gui.forms().splash.loadedForm();
        QVERIFY(splash);
        QVERIFY(!splash->isVisible());
        QCOMPARE(splash->controls().get<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(topLevelCount("frmSplash"), 1);
        QVERIFY(gui.main().calculator().state() == vintrel::engine::Calculator().state());
        QCOMPARE(gui.shown(), QString());
        QVERIFY(gui.control("CmdEquals")->isEnabled());
    }

    void exitEndsEverythingWhateverIsShown()
    {
        Gui gui;
        trigger(gui, "MnuAbout");
        gui.click("cmdexp1");
        QVERIFY(gui.forms().splash.isLoaded() && gui.forms().about.isLoaded() &&
                gui.forms().help.isLoaded());
        trigger(gui, "MnuExit");
        QVERIFY(!gui.program->main().isLoaded());
        QVERIFY(!gui.forms().splash.isLoaded());
        QVERIFY(!gui.forms().about.isLoaded());
        QVERIFY(!gui.forms().help.isLoaded());
        Gui::processDeferredDeletes();
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<vintrel::ui::Form*>(w); }),
                 0);
    }

    void closingTheMainWindowEndsEverythingEvenAHiddenAbout()
    {
        Gui gui;
        trigger(gui, "MnuAbout");
        QTest::mouseClick(gui.forms().about.loadedForm()->controls().get<QPushButton>("cmdOK"),
                          Qt::LeftButton);
        gui.main().close();
        QVERIFY(!gui.program->main().isLoaded());
        QVERIFY(!gui.forms().about.isLoaded());
        QVERIFY(!gui.forms().splash.isLoaded());
    }

    void closingHelperWindowsLeavesTheProgramRunning()
    {
        Gui gui;
        gui.click("cmdexp1");
        trigger(gui, "MnuAbout");
        gui.forms().help.loadedForm()->close();
        gui.forms().about.loadedForm()->close();
        gui.forms().splash.loadedForm()->close();
        QVERIFY(gui.program->main().isLoaded());
        QVERIFY(gui.main().isVisible());
    }
};

VINTREL_GUI_TEST_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
