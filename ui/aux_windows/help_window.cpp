#include "ui/aux_windows/help_window.h"

namespace vintrel::ui {

namespace {

constexpr FontSpec bold{"MS Sans Serif", 8.25, true};

constexpr ControlSpec table[] = {
    {"Image1", Kind::Picture, ":/images/help-halloween.vpix", 600, 120, 2925, 720},
    {"LblExp1Exp", Kind::Label, "Situation: To work out 5+7+3+4.", 120, 840, 3735, 255, bold, 0},
    {"Label1", Kind::Label, "To carry this out you must  first do: 5+7 = Followed by +3 = +4 =.",
     120, 1200, 3855, 615, bold, 2},
    {"LblExp1_Carry", Kind::Label,
     "The same rules apply for all other function i.e Multiply, subtract, divide etc.", 120, 1920,
     3855, 615, bold, 1},
    {"Label2", Kind::Label,
     "Note: This will be made easier in the next version. V1.2 When available", 120, 2640, 3855,
     615, {"MS Sans Serif", 9.75, false, true}, 3},
};

}  // namespace

std::span<const ControlSpec> helpLayout() { return table; }

FrmExp1::FrmExp1()
{
    setObjectName(QStringLiteral("FrmExp1"));
    setWindowTitle(QStringLiteral("Help-Example"));
    resize(twipsToPixels(4230), twipsToPixels(3390));
    setOpaqueBackground(this, Qt::white);
    loadBundledFonts({"LiberationSans-Italic.ttf"});
    controls_ = buildControls(this, table);
    setAccessibleName(QStringLiteral("Help example"));
    controls_[QStringLiteral("Image1")]->setAccessibleName(QStringLiteral("Happy Halloween"));
    for (const ControlSpec& row : table)
        if (row.kind == Kind::Label)
            setTextColor(controls_[QString::fromLatin1(row.name)], QColor(255, 0, 0));
}

}  // namespace vintrel::ui
