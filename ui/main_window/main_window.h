#pragma once

#include "engine/keys.h"
#include "ui/common/forms.h"
#include "ui/common/layout.h"

#include <span>

class QLineEdit;
class QMenuBar;

namespace vintrel::ui {

class frmSplash;
class FrmAbout;
class FrmExp1;

// The windows the calculator window shows; each exists at most once.
struct AuxForms {
    // The window the splash window stays in front of.
    QWidget* owner = nullptr;
    FormSlot<frmSplash> splash;
    FormSlot<FrmAbout> about;
    FormSlot<FrmExp1> help;
    AuxForms();
    ~AuxForms();
};

// How wide the fault message must be for a window manager to show the whole
// of its title.
int faultBoxMinimumWidth(const QString& title);

// Every control of the calculator window, the keys included, in keyboard
// order.
std::span<const ControlSpec> mainWindowLayout();

// The calculator window. It keeps no logic of its own: every key runs its
// engine operation, and the controls then show the engine's state.
class FrmVintrel : public Form {
    Q_OBJECT
public:
    explicit FrmVintrel(AuxForms& forms);

    // Shows the splash window (only loads it while this window is hidden),
    // then makes the first field the visible one.
    void Form_Load() override;

    const engine::Calculator& calculator() const { return calculator_; }
    const Controls& controls() const { return controls_; }
    QWidget* clientArea() const { return client_; }

    void cmdexp1_Click();
    void MnuAbout_Click();
    void MnuExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void press(const engine::Key& key);
    void showFault(platform::FpFault fault);
    void refresh();
    void bindControls();
    void buildMenu(QMenuBar* menuBar);

    AuxForms& forms_;
    QWidget* client_;
    Controls controls_;
    QLineEdit* txtDisplay_;
    QLineEdit* txtdisplay2_;
    engine::Calculator calculator_;
};

}  // namespace vintrel::ui
