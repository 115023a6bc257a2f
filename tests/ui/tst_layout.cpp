// Every control of every window stands where its layout table puts it, with
// the names, fonts, order and stacking the windows promise.
#include "tests/ui/gui_fixture.h"
#include "tools/key_replay.h"
#include "ui/common/key_button.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <vector>

using vintrel::testing::Gui;
using namespace vintrel::ui;

namespace {

void checkGeometry(QWidget* window, std::span<const ControlSpec> table)
{
    for (const ControlSpec& row : table) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(row.name));
        QVERIFY2(widget, row.name);
        const QRect expected(twipsToPixels(row.left), twipsToPixels(row.top),
                             twipsToPixels(row.width), twipsToPixels(row.height));
        const QRect actual = widget->geometry();
        if (row.parent)
            QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        if (row.kind == Kind::AutoSizeLabel) {
            // Sized to its text: only the anchored edge and the top are fixed.
            QCOMPARE(actual.top(), expected.top());
            if (row.align & Qt::AlignRight)
                QCOMPARE(actual.right(), expected.right());
            else
                QCOMPARE(actual.left(), expected.left());
            continue;
        }
        if (actual != expected)
            QFAIL(qPrintable(QStringLiteral("%1 at %2,%3 %4x%5, expected %6,%7 %8x%9")
                                 .arg(row.name)
                                 .arg(actual.x()).arg(actual.y()).arg(actual.width()).arg(actual.height())
                                 .arg(expected.x()).arg(expected.y()).arg(expected.width())
                                 .arg(expected.height())));
        if (row.font.family) {
            const QFont font = widget->font();
            QCOMPARE(font.pointSizeF(), row.font.points);
            QCOMPARE(font.bold(), row.font.bold);
            QCOMPARE(font.italic(), row.font.italic);
        }
    }
}

bool isLabel(const ControlSpec& row) { return row.kind == Kind::Label || row.kind == Kind::AutoSizeLabel; }
bool isPicture(const ControlSpec& row)
{
    return row.kind == Kind::Picture || row.kind == Kind::ClippedPicture;
}

// What of a control a person has to see whole: a picture, or the text of a
// label as it is laid out in the label's box, in the parent's coordinates.
// A picture that fills its whole window is a backdrop, drawn to lie behind
// everything else.
QRect drawnContent(const ControlSpec& row, QWidget* widget)
{
    if (isPicture(row)) {
        const QRect window = widget->parentWidget()->rect();
        return widget->geometry().contains(window) ? QRect() : widget->geometry();
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (!isLabel(row) || !label || label->text().trimmed().isEmpty())
        return {};
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return QFontMetrics(label->font())
        .boundingRect(label->contentsRect(), flags, label->text())
        .translated(label->pos());
}

// A label, picture or rule that paints its whole box. Keys and fields are
// meant to lie above the window's labels and pictures, so they are not
// counted.
bool paintsItsBox(const ControlSpec& row)
{
    return row.kind == Kind::Line || isPicture(row) || (isLabel(row) && row.fill != Fill::None);
}

// Pairs of sibling controls where one that paints its box is stacked over
// what the other draws, read from the table's layers and rows.
QStringList coveredContent(QWidget* window, std::span<const ControlSpec> table)
{
    std::vector<const ControlSpec*> bottomUp;
    for (const ControlSpec& row : table)
        bottomUp.push_back(&row);
    std::stable_sort(bottomUp.begin(), bottomUp.end(),
                     [](auto* a, auto* b) { return a->layer < b->layer; });
    const auto widget = [&](const ControlSpec* row) {
        return window->findChild<QWidget*>(QString::fromLatin1(row->name));
    };
    QStringList found;
    for (std::size_t lower = 0; lower < bottomUp.size(); ++lower) {
        QWidget* below = widget(bottomUp[lower]);
        const QRect content = drawnContent(*bottomUp[lower], below);
        if (content.isEmpty())
            continue;
        for (std::size_t upper = lower + 1; upper < bottomUp.size(); ++upper) {
            QWidget* above = widget(bottomUp[upper]);
            if (above->parentWidget() != below->parentWidget() || !paintsItsBox(*bottomUp[upper]))
                continue;
            // The table's order must be the order the window really stacks in.
            const QObjectList siblings = below->parentWidget()->children();
            if (siblings.indexOf(above) < siblings.indexOf(below))
                found << QStringLiteral("%1 is not stacked as its table says").arg(above->objectName());
            else if (above->geometry().intersects(content))
                found << QStringLiteral("%1 covers %2").arg(above->objectName(), below->objectName());
        }
    }
    return found;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void everyControlMatchesItsTable()
    {
        Gui gui;
        gui.click("cmdexp1");
        gui.forms().about.Show();
        checkGeometry(gui.main().clientArea(), mainWindowLayout());
        checkGeometry(gui.forms().splash.loadedForm(), splashLayout());
        checkGeometry(gui.forms().about.loadedForm(), aboutLayout());
        checkGeometry(gui.forms().help.loadedForm(), helpLayout());
    }

    void noLabelOrPictureCoversAnotherOnesContent()
    {
        Gui gui;
        gui.click("cmdexp1");
        gui.forms().about.Show();
        QCOMPARE(coveredContent(gui.main().clientArea(), mainWindowLayout()), QStringList());
        QCOMPARE(coveredContent(gui.forms().splash.loadedForm(), splashLayout()), QStringList());
        QCOMPARE(coveredContent(gui.forms().about.loadedForm(), aboutLayout()), QStringList());
        QCOMPARE(coveredContent(gui.forms().help.loadedForm(), helpLayout()), QStringList());
    }

    // The tests that click the window from outside read the keys from the
    // replay tool's key table; it must name, caption and place them as the
    // window does, below its menu bar.
    void keyTableIsTheWindows()
    {
        Gui gui;
        QJsonParseError error{};
        const QJsonDocument table =
            QJsonDocument::fromJson(QByteArray::fromStdString(vintrel::tools::keyTableJson()), &error);
        QVERIFY2(table.isArray(), qPrintable(error.errorString()));
        const auto keys = gui.main().clientArea()->findChildren<KeyButton*>();
        const QStringList calculatorKeys = [&] {
            QStringList names;
            for (const KeyButton* key : keys)
                if (key->objectName() != QLatin1String("cmdexp1"))
                    names << key->objectName();
            return names;
        }();
        QCOMPARE(table.array().size(), calculatorKeys.size());
        for (const QJsonValue& entry : table.array()) {
            const QJsonObject key = entry.toObject();
            const QString name = key[QLatin1String("objectName")].toString();
            auto* button = gui.main().clientArea()->findChild<KeyButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QCOMPARE(key[QLatin1String("caption")].toString(), button->text());
            QCOMPARE(key[QLatin1String("spokenName")].toString(), button->accessibleName());
            const QJsonObject r = key[QLatin1String("rect")].toObject();
            QCOMPARE(QRect(r[QLatin1String("left")].toInt(-1), r[QLatin1String("top")].toInt(-1),
                           r[QLatin1String("width")].toInt(-1), r[QLatin1String("height")].toInt(-1)),
                     button->geometry());
        }
    }

    void clientAreasHaveTheirSizes()
    {
        Gui gui;
        gui.click("cmdexp1");
        gui.forms().about.Show();
        QCOMPARE(gui.main().clientArea()->size(), QSize(250, 198));
        QCOMPARE(gui.main().clientArea()->y(), gui.main().findChild<QMenuBar*>()->height());
        // The splash window's client area lies inside its own thin border.
        const frmSplash* splash = gui.forms().splash.loadedForm();
        QCOMPARE(splash->clientArea()->size(), QSize(492, 283));
        const int border = frmSplash::borderWidth;
        QVERIFY(border >= 1 && border <= 3);
        QCOMPARE(splash->clientArea()->pos(), QPoint(border, border));
        QCOMPARE(splash->size(), QSize(492 + 2 * border, 283 + 2 * border));
        QCOMPARE(gui.forms().about.loadedForm()->size(), QSize(367, 236));
        QCOMPARE(gui.forms().help.loadedForm()->size(), QSize(282, 226));
    }

    void keysUseTheBundledFonts()
    {
        Gui gui;
        const QFontInfo digit(gui.control("CmdFive")->font());
        QCOMPARE(digit.family(), QStringLiteral("Comic Neue"));
        QVERIFY(digit.bold());
        for (const char* name : {"CmdEquals", "CmdPercent"}) {
            const QFontInfo key(gui.control(name)->font());
            QCOMPARE(key.family(), QStringLiteral("Liberation Sans"));
            QVERIFY2(key.bold(), name);
        }
        const QFontInfo label(gui.forms().splash.loadedForm()->controls()["LblStyle"]->font());
        QCOMPARE(label.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(label.bold());
    }

    void tabOrderFollowsTheTable()
    {
        Gui gui;
        const QStringList expected = {
            "TxtDisplay", "cmdDivide", "cmdMultiply", "cmdSubtract", "cmdAdd", "CmdSqrt",
            "CmdPercent", "CmdEquals", "CmdDot", "CmdCancel", "CmdOne", "CmdZero", "CmdNine",
            "CmdEight", "CmdSeven", "CmdSix", "CmdFive", "CmdFour", "CmdThree", "CmdTwo",
            "CmdSqr", "CmdPy", "txtdisplay2", "cmdexp1", "CmdMem", "cmdMrc", "CmdMemC"};
        QWidget* w = gui.control("TxtDisplay");
        QStringList actual;
        for (int i = 0; i < expected.size(); ++i) {
            actual << w->objectName();
            do
                w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty());
        }
        QCOMPARE(actual, expected);
    }

    void pictureLiesBelowLabelsAndLabelsBelowKeys()
    {
        Gui gui;
        const QObjectList order = gui.main().clientArea()->children();
        const auto at = [&](const char* name) { return order.indexOf(gui.control(name)); };
        QCOMPARE(at("Image2"), 0);
        for (const char* label : {"LblInfo", "lblREM"})
            for (const char* above : {"TxtDisplay", "txtdisplay2", "cmdexp1", "CmdMem"})
                QVERIFY2(at(label) < at(above), label);
        QVERIFY(at("Image2") < at("lblREM"));
    }

    void aboutStacksItsLabelsAndRules()
    {
        Gui gui;
        gui.forms().about.Show();
        const QObjectList order = gui.forms().about.loadedForm()->children();
        QStringList bottomUp;
        for (QObject* o : order)
            bottomUp << o->objectName();
        QStringList expected = {"Lbltitle", "Line1_1", "lblDescription", "Line1_0", "lblVersion",
                                "lblDisclaimer", "LblHalloween"};
        QStringList labelsAndLines;
        for (const QString& name : bottomUp)
            if (expected.contains(name))
                labelsAndLines << name;
        QCOMPARE(labelsAndLines, expected);
        QVERIFY(bottomUp.indexOf("picIcon") > bottomUp.indexOf("LblHalloween"));
        QVERIFY(bottomUp.indexOf("cmdOK") > bottomUp.indexOf("LblHalloween"));
        QCOMPARE(gui.forms().about.loadedForm()->focusWidget()->objectName(), QStringLiteral("picIcon"));
    }

    void enlargingTheWindowMovesNothing()
    {
        Gui gui;
        const QRect picture = gui.control("Image2")->geometry();
        const QRect key = gui.control("CmdCancel")->geometry();
        gui.main().resize(600, 500);
        QCoreApplication::processEvents();
        QVERIFY(gui.main().clientArea()->width() >= 600);
        QCOMPARE(gui.control("Image2")->geometry(), picture);
        QCOMPARE(gui.control("CmdCancel")->geometry(), key);
    }

    void everyWindowCarriesTheIcon()
    {
        Gui gui;
        gui.click("cmdexp1");
        gui.forms().about.Show();
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (int size : {32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        for (QWidget* window : {static_cast<QWidget*>(&gui.main()),
                                static_cast<QWidget*>(gui.forms().about.loadedForm()),
                                static_cast<QWidget*>(gui.forms().help.loadedForm())})
            QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }

    void entryFieldsAreLimitlessAndEditable()
    {
        Gui gui;
        for (const char* name : {"TxtDisplay", "txtdisplay2"}) {
            auto* field = gui.control<QLineEdit>(name);
            QVERIFY(!field->isReadOnly());
            QVERIFY(field->maxLength() > 1000000);
        }
    }
};

VINTREL_GUI_TEST_MAIN(LayoutTest)
#include "tst_layout.moc"
