// Screen readers reach every key, field and window through the toolkit's
// accessibility interfaces, and hear what each key does.
#include "tests/ui/gui_fixture.h"

#include <QAccessible>

using vintrel::testing::Gui;

namespace {

QString spokenName(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

QAccessible::Role role(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->role() : QAccessible::NoRole;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void keysAreNamedForWhatTheyDo_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const std::pair<const char*, const char*> expected[] = {
            {"cmdAdd", "Add"}, {"cmdSubtract", "Subtract"}, {"cmdMultiply", "Multiply"},
            {"cmdDivide", "Divide"}, {"CmdEquals", "Equals"}, {"CmdSqrt", "Square root"},
            {"CmdSqr", "Square"}, {"CmdPercent", "Percent"}, {"CmdPy", "Pi"},
            {"CmdDot", "Decimal point"}, {"CmdMem", "Memory add"}, {"cmdMrc", "Memory recall"},
            {"CmdMemC", "Memory clear"}, {"CmdCancel", "Clear"}, {"cmdexp1", "Help"},
            {"CmdZero", "0"}, {"CmdSeven", "7"}, {"CmdNine", "9"}};
        for (const auto& [control, name] : expected)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(name);
    }

    void keysAreNamedForWhatTheyDo()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Gui gui;
        QObject* key = gui.main().findChild<QPushButton*>(control);
        QVERIFY(key);
        QCOMPARE(spokenName(key), name);
        QCOMPARE(role(key), QAccessible::Button);
    }

    void everyKeyAndFieldHasAName()
    {
        Gui gui;
        const auto buttons = gui.main().findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 25);
        for (QPushButton* button : buttons)
            QVERIFY2(!spokenName(button).isEmpty(), qPrintable(button->objectName()));
        for (const char* field : {"TxtDisplay", "txtdisplay2"}) {
            QObject* entry = gui.control(field);
            QVERIFY(!spokenName(entry).isEmpty());
            QCOMPARE(role(entry), QAccessible::EditableText);
        }
    }

    void windowsHaveNames()
    {
        Gui gui;
        gui.click("cmdexp1");
        gui.forms().about.Show();
        QCOMPARE(spokenName(&gui.main()), QStringLiteral("Vintrel calculator"));
        QCOMPARE(spokenName(gui.forms().splash.loadedForm()), QStringLiteral("Vintrel greeting"));
        QCOMPARE(spokenName(gui.forms().about.loadedForm()), QStringLiteral("About Vintrel"));
        QCOMPARE(spokenName(gui.forms().help.loadedForm()), QStringLiteral("Help example"));
    }

    void aboutButtonAndLabelsSpeakTheirText()
    {
        Gui gui;
        gui.forms().about.Show();
        auto* about = gui.forms().about.loadedForm();
        QCOMPARE(spokenName(about->controls()["cmdOK"]), QStringLiteral("OK"));
        QCOMPARE(spokenName(about->controls()["LblHalloween"]), QStringLiteral("Happy Halloween!!"));
    }
};

VINTREL_GUI_TEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
