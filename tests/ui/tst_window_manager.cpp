// The first thing a user sees, on a real X server: with openbox managing
// the windows, and with no window manager at all. Keys and clicks are real
// X input (xdotool), so they go wherever the window system sends them.
#include "tests/ui/gui_fixture.h"

#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>

using vintrel::testing::Gui;
using vintrel::ui::frmSplash;

namespace {

bool xdotool(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

bool clickAt(QWidget* widget)
{
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    // Not "--sync": it waits for the pointer to move, forever if it is
    // already there.
    return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

// What the screen shows where the window lies, against what the window
// paints: they differ wherever another window covers it.
int pixelsCovered(QWidget* window)
{
    const QRect r = window->frameGeometry();
    const QImage screen = window->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    const QImage own = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (screen.size() != own.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x)
            differing += screen.pixel(x, y) != own.pixel(x, y);
    return differing;
}

QString fieldText(Gui& gui) { return gui.control<QLineEdit>("TxtDisplay")->text(); }

// Counts the times a window is mapped; a window shown and hidden in one
// step is mapped all the same, and some window managers leave it behind.
class MapWatch : public QObject {
public:
    explicit MapWatch(QWidget* window) { window->installEventFilter(this); }
    int maps = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        maps += event->type() == QEvent::Show;
        return false;
    }
};

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        qInfo("window manager: %s", qgetenv("VINTREL_TEST_WM").constData());
    }
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    // One program per X server: a second one in the same process would start
    // with the pointer and the focus where the first left them.
    void splashShowsWholeInFrontWhileTheCalculatorTakesTheKeys()
    {
        Gui gui;
        frmSplash* splash = gui.forms().splash.loadedForm();
        QVERIFY(splash);
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QVERIFY(QTest::qWaitForWindowActive(&gui.main()));
        // Until the window manager has stacked and framed both windows.
        QTRY_COMPARE(pixelsCovered(splash), 0);
        // The splash window lies over the middle of the calculator.
        QVERIFY(splash->frameGeometry().intersects(gui.main().frameGeometry()));
        // The calculator is placed before any frame is known, so what lands
        // in the middle of the screen is its client area, frame or none.
        QCOMPARE(gui.main().geometry().center(), gui.main().screen()->availableGeometry().center());

        QVERIFY(xdotool({"type", "--delay", "30", "12"}));
        QTRY_COMPARE(fieldText(gui), QStringLiteral("12"));
        QVERIFY(gui.forms().splash.isLoaded() && splash->isVisible());
        QCOMPARE(pixelsCovered(splash), 0);

        QVERIFY(clickAt(splash->controls()[QStringLiteral("Label1")]));
        QTRY_VERIFY(!gui.forms().splash.isLoaded());
        QCOMPARE(fieldText(gui), QStringLiteral("12"));

        // "C" loads the splash window and leaves it hidden, never mapped;
        // the calculator stays the active window. A press is known to have
        // arrived once the key reports it; whatever it left to do runs with
        // the events it posted.
        QSignalSpy pressed(gui.control<QPushButton>("CmdCancel"), &QAbstractButton::clicked);
        QVERIFY(clickAt(gui.control("CmdCancel")));
        QTRY_COMPARE(pressed.count(), 1);
        QCoreApplication::processEvents();
        QVERIFY(gui.forms().splash.isLoaded());
        MapWatch watch(gui.forms().splash.loadedForm());
        QCOMPARE(fieldText(gui), QString());
        QVERIFY(!gui.forms().splash.loadedForm()->isVisible());
        // Pressed again with the splash window loaded, "C" must not map it.
        QVERIFY(clickAt(gui.control("CmdCancel")));
        QTRY_COMPARE(pressed.count(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(watch.maps, 0);
        // Without a window manager nothing hands the X focus back and forth;
        // what counts there is where the typed keys land, checked below.
        if (qgetenv("VINTREL_TEST_WM") == "openbox")
            QVERIFY(QTest::qWaitForWindowActive(&gui.main()));
        // The click left the focus on "C"; the field takes the keys again
        // once it has the focus, as in any window.
        QVERIFY(clickAt(gui.control("TxtDisplay")));
        QVERIFY(xdotool({"type", "--delay", "30", "7"}));
        QTRY_COMPARE(fieldText(gui), QStringLiteral("7"));
    }
};

VINTREL_GUI_TEST_MAIN(WindowManagerTest)
#include "tst_window_manager.moc"
