#include "ui/aux_windows/about_window.h"

#include <QKeyEvent>
#include <QPushButton>

namespace vintrel::ui {

namespace {

// From the top down: picture and button, then LblHalloween, lblDisclaimer,
// lblVersion, the white rule, lblDescription, the grey rule, Lbltitle.
constexpr ControlSpec table[] = {
    filled({"Lbltitle", Kind::Label, "Vintrel", 840, 240, 4095, 345, {}, 2, 1}, Fill::Window),
    filled({"Line1_1", Kind::Line, "", 0, 2445, 5564, 15, {}, -1, 2}, Fill::Grey),
    filled({"lblDescription", Kind::Label,
            "Vintrel By Harrowby. Incorporating the seasons and special times of year, to keep your "
            "desktop up to date and fresh. Next release due November, entitled \"Glacivane! \".",
            840, 1125, 4095, 1170, {}, 3, 3},
           Fill::Window),
    filled({"Line1_0", Kind::Line, "", 15, 2460, 5549, 30, {}, -1, 4}, Fill::White),
    filled({"lblVersion", Kind::Label, "Version 1.0(Halloween)", 840, 660, 4095, 345, {}, 4, 5}, Fill::Window),
    filled({"lblDisclaimer", Kind::Label, "  ", 165, 2520, 3870, 945, {}, 5, 6}, Fill::Window),
    filled({"LblHalloween", Kind::Label, "Happy Halloween!!", 960, 2760, 3015, 615,
            {"Modern", 20.25, true}, 6, 7},
           Fill::Window),
    {"picIcon", Kind::ClippedPicture, ":/images/forest-strip.jpg", 30, 0, 660, 2460, {}, 0, 8},
    {"cmdOK", Kind::Button, "OK", 4155, 2520, 1260, 345, {}, 1, 8},
};

}  // namespace

std::span<const ControlSpec> aboutLayout() { return table; }

FrmAbout::FrmAbout()
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About"));
    resize(twipsToPixels(5505), twipsToPixels(3540));
    loadBundledFonts({"LiberationSansNarrow-Bold.ttf"});
    controls_ = buildControls(this, table);
    setAccessibleName(QStringLiteral("About Vintrel"));
    controls_[QStringLiteral("picIcon")]->setAccessibleName(QStringLiteral("A snowy forest"));

    // The picture box is first in the keyboard order and starts with focus.
    QWidget* picture = controls_[QStringLiteral("picIcon")];
    picture->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(picture, controls_[QStringLiteral("cmdOK")]);
    picture->setFocus();
    connect(controls_.get<QPushButton>(QStringLiteral("cmdOK")), &QPushButton::clicked, this,
            &FrmAbout::cmdOK_Click);
}

void FrmAbout::keyPressEvent(QKeyEvent* event)
{
    // "OK" is both the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: cmdOK_Click(); return;
    default: Form::keyPressEvent(event);
    }
}

}  // namespace vintrel::ui
