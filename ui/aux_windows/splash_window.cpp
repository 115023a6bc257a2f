#include "ui/aux_windows/splash_window.h"

#include "platform/version.h"
#include "ui/common/desktop.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace vintrel::ui {

namespace {

constexpr FontSpec arial{"Arial", 8.25, false};
constexpr auto right = Qt::AlignRight | Qt::AlignTop;

// The frame and the labels are white, like the window, so a label's box
// never shows against its ground. The empty licence line paints nothing,
// or it would cut the top off the ghost and its bats; the company line is
// stacked over the copyright line, whose box reaches into it below its text.
constexpr ControlSpec table[] = {
    filled({"Frame1", Kind::Frame, "", 120, 120, 7080, 4050, {}, 0}, Fill::White),
    {"lblLicenseTo", Kind::Label, "", 120, 240, 6855, 255, arial, 1, 1, "Frame1", right},
    filled({"lblCompany", Kind::Label, "Harrowby, for every season", 4560, 3270, 2415, 255, arial, 2,
            2, "Frame1"},
           Fill::White),
    filled({"lblCopyright", Kind::Label, "Freeware: share it freely", 4560, 3060, 2415, 255, arial, 3,
            1, "Frame1"},
           Fill::White),
    filled({"lblVersion", Kind::AutoSizeLabel, "Version 1.0(Halloween)", 4260, 2700, 2625, 285,
            {"Arial", 12, true}, 4, 1, "Frame1", right},
           Fill::White),
    filled({"lblPlatform", Kind::AutoSizeLabel, "Vintrel", 4830, 2340, 2025, 360,
            {"Arial", 15.75, true}, 5, 1, "Frame1", right},
           Fill::White),
    filled({"lblCompanyProduct", Kind::AutoSizeLabel, "Vintrel", 2640, 705, 2310, 435,
            {"Arial", 18, true}, 6, 1, "Frame1"},
           Fill::White),
    filled({"Label1", Kind::Label, "(Click To Close)", 3000, 3480, 1215, 375, {}, 7, 1, "Frame1"},
           Fill::White),
    filled({"LblStyle", Kind::Label, "The Calculator With Style.", 2040, 1200, 3615, 495,
            {"MS Sans Serif", 13.5, true}, 8, 1, "Frame1"},
           Fill::White),
    {"Image1", Kind::Picture, ":/images/ghost.vpix", 120, 240, 1485, 1215, {}, -1, 0, "Frame1"},
    {"imgLogo", Kind::Picture, ":/images/halloween.vpix", 240, 1920, 3735, 1545, {}, -1, 0,
     "Frame1"},
};

// The window's client area, in twips.
constexpr int clientWidth = 7380, clientHeight = 4245;

// Colours of the raised border, outermost first: light above and left,
// dark below and right.
const QColor borderLight[] = {QColor(223, 223, 223), Qt::white};
const QColor borderDark[] = {QColor(64, 64, 64), QColor(128, 128, 128)};

// What the user types at start belongs to the calculator, so the splash
// window must not take the keyboard. On X a transient shown without
// activation does that, and the window manager keeps it in front of the
// calculator. A Wayland compositor activates every new top-level window,
// whatever the client asks; a tooltip with a parent becomes a popup
// without a grab there, which never receives keyboard focus and moves with
// the calculator. On X a tooltip would float over every program's windows.
Qt::WindowFlags windowKind() { return (onWayland() ? Qt::ToolTip : Qt::Dialog) | Qt::FramelessWindowHint; }

}  // namespace

std::span<const ControlSpec> splashLayout() { return table; }

// It has no title bar, so nothing frames it; it draws its own thin raised
// border.
frmSplash::frmSplash(QWidget* owner) : Form(owner, windowKind())
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(twipsToPixels(clientWidth) + 2 * borderWidth,
                 twipsToPixels(clientHeight) + 2 * borderWidth);
    setFocusPolicy(Qt::StrongFocus);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setGeometry(borderWidth, borderWidth, twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    setOpaqueBackground(client_, Qt::white);
    controls_ = buildControls(client_, table);
    setAccessibleName(QStringLiteral("Vintrel greeting"));
    controls_[QStringLiteral("Image1")]->setAccessibleName(QStringLiteral("A ghost beside a gravestone"));
    controls_[QStringLiteral("imgLogo")]->setAccessibleName(QStringLiteral("Happy Halloween"));
    for (const ControlSpec& row : table)
        if (row.kind == Kind::Label || row.kind == Kind::AutoSizeLabel)
            setTextColor(controls_[QString::fromLatin1(row.name)], Qt::black);
    controls_[QStringLiteral("Frame1")]->installEventFilter(this);
    controls_[QStringLiteral("Label1")]->installEventFilter(this);
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    for (int i = 0; i < borderWidth; ++i) {
        p.setPen(borderLight[i]);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(borderDark[i]);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

void frmSplash::showEvent(QShowEvent* event)
{
    // A window manager centres a transient on its owner; a popup goes where
    // the program puts it, as an offset from its owner's surface. The
    // owner's window, not its widget, knows where that surface is: Wayland
    // tells no program where its windows lie on screen.
    if (onWayland() && parentWidget() && parentWidget()->windowHandle()) {
        const QPoint centre = parentWidget()->windowHandle()->geometry().center();
        move(centre - QPoint(width() / 2, height() / 2));
    }
    Form::showEvent(event);
}

void frmSplash::Form_Load()
{
    auto* version = controls_.get<QLabel>(QStringLiteral("lblVersion"));
    version->setText(QStringLiteral("Version ") + QString::fromStdString(platform::versionText()));
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
