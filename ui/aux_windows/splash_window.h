#pragma once

#include "ui/common/forms.h"
#include "ui/common/layout.h"

#include <span>

namespace vintrel::ui {

std::span<const ControlSpec> splashLayout();

// The greeting window. It closes on a click on its margin, its frame's free
// surface or "(Click To Close)", and on any key that types a character.
class frmSplash : public Form {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* owner = nullptr);
    // Where the layout's controls sit, inside the border.
    QWidget* clientArea() const { return client_; }

    static constexpr int borderWidth = 2;
    const Controls& controls() const { return controls_; }

    void Form_Load() override;
    void Form_Click() { Unload(); }
    void Form_KeyPress(QChar) { Unload(); }
    void Frame1_Click() { Unload(); }
    void Label1_Click() { Unload(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* client_;
    Controls controls_;
};

}  // namespace vintrel::ui
