// The calculator driven through its window, as a person clicks and types.
#include "tests/ui/gui_fixture.h"

#include <QClipboard>

using vintrel::testing::Gui;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void helpWindowExampleGivesNineteen()
    {
        Gui gui;
        gui.press("5 + 7 =");
        QCOMPARE(gui.shown(), QStringLiteral("12"));
        gui.press("+ 3 =");
        QCOMPARE(gui.shown(), QStringLiteral("15"));
        gui.press("+ 4 =");
        QCOMPARE(gui.shown(), QStringLiteral("19"));
        QVERIFY(!gui.control("CmdEquals")->isEnabled());
        QVERIFY(gui.watchdog.unexpected.isEmpty());
    }

    void typedOperandIsTakenByTheOperatorKey()
    {
        Gui gui;
        auto* field = gui.control<QLineEdit>("TxtDisplay");
        QCOMPARE(gui.main().focusWidget(), field);
        QTest::keyClicks(field, QStringLiteral("12"));
        QCOMPARE(field->text(), QStringLiteral("12"));
        gui.press("+ 3 =");
        QCOMPARE(gui.shown(), QStringLiteral("15"));
    }

    void keyboardKeysOnlyType()
    {
        Gui gui;
        auto* field = gui.control<QLineEdit>("TxtDisplay");
        QTest::keyClicks(field, QStringLiteral("5+="));
        QCOMPARE(gui.shown(), QStringLiteral("5+="));
        QVERIFY(field->isVisible());
        QCOMPARE(gui.main().calculator().state().txtDisplayText, std::string("5+="));
        QCOMPARE(gui.main().calculator().state().pendingValue, 0.0);
    }

    void digitKeyAppendsAtTheEndWhereverTheCaretIs()
    {
        Gui gui;
        auto* field = gui.control<QLineEdit>("TxtDisplay");
        QTest::keyClicks(field, QStringLiteral("12"));
        field->setCursorPosition(0);
        gui.press("3");
        QCOMPARE(field->text(), QStringLiteral("123"));
    }

    void faultShowsAMessageAndTheCalculationGoesOn()
    {
        Gui gui;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int width = 0;
        gui.watchdog.expect([&](QWidget* modal) {
            title = modal->windowTitle();
            width = modal->width();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                icon = box->icon();
            }
        });
        gui.press("1 / 0 =");
        QCOMPARE(gui.watchdog.answered, 1);
        QCOMPARE(title, QStringLiteral("Vintrel(Halloween)"));
        QCOMPARE(text, QStringLiteral("Division by zero"));
        QCOMPARE(icon, QMessageBox::Warning);
        // Wide enough for a title bar to show the whole title, which the
        // box's own short text would not make it.
        QVERIFY2(width >= vintrel::ui::faultBoxMinimumWidth(title), qPrintable(QString::number(width)));
        QVERIFY(vintrel::ui::faultBoxMinimumWidth(title) > QFontMetrics(QApplication::font()).horizontalAdvance(title) + 100);
        QCOMPARE(gui.shown(), QStringLiteral("0"));
        QVERIFY(gui.control("CmdEquals")->isEnabled());
        gui.press("5 =");
        QCOMPARE(gui.shown(), QStringLiteral("0.2"));
        QVERIFY(gui.watchdog.unexpected.isEmpty());
    }

    void typedNumberTooLargeIsReportedNotLost()
    {
        Gui gui;
        gui.watchdog.expect([](QWidget*) {});
        QTest::keyClicks(gui.control<QLineEdit>("TxtDisplay"), QStringLiteral("1e999"));
        gui.press("+");
        QCOMPARE(gui.watchdog.answered, 1);
        QCOMPARE(gui.shown(), QStringLiteral("1e999"));
    }

    void fieldsHaveNoLengthLimit()
    {
        Gui gui;
        auto* field = gui.control<QLineEdit>("TxtDisplay");
        const QString digits(40000, QLatin1Char('1'));
        QGuiApplication::clipboard()->setText(digits);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text().size(), 40000);
        gui.press("2");
        QCOMPARE(field->text().size(), 40001);
        QVERIFY(field->text().endsWith(QLatin1String("12")));
    }

    void onlyOneEntryFieldShowsAndFreewareLabelStaysCovered()
    {
        Gui gui;
        auto* info = gui.control("LblInfo");
        for (const QString& keys : {QString("5 +"), QString("7 ="), QString("+"), QString("C")}) {
            gui.press(keys);
            QVERIFY(gui.control("TxtDisplay")->isVisible() != gui.control("txtdisplay2")->isVisible());
            // Whichever field is shown is drawn above the label.
            auto* client = gui.main().clientArea();
            const auto children = client->children();
            QVERIFY(children.indexOf(gui.control("TxtDisplay")) > children.indexOf(info));
            QVERIFY(children.indexOf(gui.control("txtdisplay2")) > children.indexOf(info));
        }
    }
};

VINTREL_GUI_TEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
