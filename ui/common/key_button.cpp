#include "ui/common/key_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace vintrel::ui {

namespace {

const QColor face(255, 128, 0);
const QColor light(255, 190, 130);
const QColor shadow(160, 70, 0);
const QColor darkShadow(64, 32, 0);

}  // namespace

KeyButton::KeyButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void KeyButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const bool sunk = isDown() || isChecked();
    p.fillRect(r, face);

    // Two-pixel bevel: light above and left, shadow below and right,
    // swapped while the key is held down.
    const QColor topLeft = sunk ? darkShadow : light;
    const QColor bottomRight = sunk ? light : darkShadow;
    const QColor innerBottomRight = sunk ? face : shadow;
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(innerBottomRight);
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() - QPoint(1, 1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() - QPoint(1, 1));

    QRect textRect = r.adjusted(2, 2, -2, -2);
    if (sunk)
        textRect.translate(1, 1);
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        p.drawText(textRect, Qt::AlignCenter, text());
    } else {
        p.setPen(Qt::white);
        p.drawText(textRect.translated(1, 1), Qt::AlignCenter, text());
        p.setPen(QColor(128, 128, 128));
        p.drawText(textRect, Qt::AlignCenter, text());
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(3, 3, -3, -3);
        focus.backgroundColor = face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

}  // namespace vintrel::ui
