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

    void keysAreNamedForWhatTheyDo()
    {
        Gui gui;
        QSet<QString> names;
        for (const vintrel::engine::Key& row : vintrel::engine::keyTable) {
            QObject* key = gui.control<QPushButton>(row.objectName);
            QVERIFY2(key, row.objectName);
            QCOMPARE(spokenName(key), QString::fromUtf8(row.spokenName));
            QCOMPARE(role(key), QAccessible::Button);
            names << spokenName(key);
        }
        QCOMPARE(names.size(), qsizetype(vintrel::engine::keyTable.size()));
        QCOMPARE(spokenName(gui.control("cmdexp1")), QStringLiteral("Help"));
    }

    void everyKeyAndFieldHasAName()
    {
        Gui gui;
        const auto buttons = gui.main().findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), qsizetype(vintrel::engine::keyTable.size() + 1));  // and "?"
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
