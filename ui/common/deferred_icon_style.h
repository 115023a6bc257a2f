#pragma once

#include <QProxyStyle>

namespace vintrel::ui {

// The application's style, with one change: the menu bar asks for the icon
// of its overflow button as it is built, and reading that icon makes the
// toolkit load every image-format plugin, a millisecond or so of the start.
// The button only shows when the menus do not fit, so the icon it gets reads
// the real one the first time it is drawn or measured.
class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace vintrel::ui
