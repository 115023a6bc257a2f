#include "ui/aux_windows/splash_window.h"

#include "platform/numbers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace vintrel::ui {

namespace {

constexpr FontSpec arial{"Arial", 8.25, false};
constexpr auto right = Qt::AlignRight | Qt::AlignTop;

constexpr ControlSpec table[] = {
    {"Frame1", Kind::Frame, "", 120, 120, 7080, 4050, {}, 0},
    {"lblLicenseTo", Kind::Label, "", 120, 240, 6855, 255, arial, 1, 1, "Frame1", right},
    {"lblCompany", Kind::Label, "Harrowby, for every season", 4560, 3270, 2415, 255, arial, 2, 1,
     "Frame1"},
    {"lblCopyright", Kind::Label, "Freeware: share it freely", 4560, 3060, 2415, 255, arial, 3, 1,
     "Frame1"},
    {"lblVersion", Kind::AutoSizeLabel, "Version 1.0(Halloween)", 4260, 2700, 2625, 285,
     {"Arial", 12, true}, 4, 1, "Frame1", right},
    {"lblPlatform", Kind::AutoSizeLabel, "Vintrel", 4830, 2340, 2025, 360, {"Arial", 15.75, true},
     5, 1, "Frame1", right},
    {"lblCompanyProduct", Kind::AutoSizeLabel, "Vintrel", 2640, 705, 2310, 435,
     {"Arial", 18, true}, 6, 1, "Frame1"},
    {"Label1", Kind::Label, "(Click To Close)", 3000, 3480, 1215, 375, {}, 7, 1, "Frame1"},
    {"LblStyle", Kind::Label, "The Calculator With Style.", 2040, 1200, 3615, 495,
     {"MS Sans Serif", 13.5, true}, 8, 1, "Frame1"},
    {"Image1", Kind::Picture, ":/images/ghost.vpix", 120, 240, 1485, 1215, {}, -1, 0, "Frame1"},
    {"imgLogo", Kind::Picture, ":/images/halloween.vpix", 240, 1920, 3735, 1545, {}, -1, 0,
     "Frame1"},
};

}  // namespace

std::span<const ControlSpec> splashLayout() { return table; }

frmSplash::frmSplash() : Form(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setFixedSize(twipsToPixels(7380), twipsToPixels(4245));
    setOpaqueBackground(this, Qt::white);
    setFocusPolicy(Qt::StrongFocus);
    controls_ = buildControls(this, table);
    setAccessibleName(QStringLiteral("Vintrel greeting"));
    controls_[QStringLiteral("Image1")]->setAccessibleName(QStringLiteral("A ghost beside a gravestone"));
    controls_[QStringLiteral("imgLogo")]->setAccessibleName(QStringLiteral("Happy Halloween"));
    setOpaqueBackground(controls_[QStringLiteral("Frame1")], Qt::white);
    for (QWidget* widget : controls_.all())
        if (qobject_cast<QLabel*>(widget) && widget->objectName() != QLatin1String("Image1") &&
            widget->objectName() != QLatin1String("imgLogo")) {
            setOpaqueBackground(widget, Qt::white);
            setTextColor(widget, Qt::black);
        }
    controls_[QStringLiteral("Frame1")]->installEventFilter(this);
    controls_[QStringLiteral("Label1")]->installEventFilter(this);
}

void frmSplash::Form_Load()
{
    const platform::AppVersion v = platform::App();
    auto* version = controls_.get<QLabel>(QStringLiteral("lblVersion"));
    version->setText(QStringLiteral("Version ") +
                     QString::fromStdString(platform::integerToText(v.Major) + "." +
                                            platform::integerToText(v.Minor) + "." +
                                            platform::integerToText(v.Revision)));
    fitToText(version, version->alignment());
}

void frmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    // Only keys that produce a character count; arrows and function keys
    // type nothing.
    const QString text = event->text();
    if (!text.isEmpty())
        Form_KeyPress(text.front());
    else
        Form::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            if (watched->objectName() == QLatin1String("Label1"))
                Label1_Click();
            else
                Frame1_Click();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

}  // namespace vintrel::ui
