#pragma once

#include "engine/keys.h"
#include "platform/forms.h"
#include "ui/common/layout.h"

#include <span>
#include <utility>

class QLineEdit;
class QMenuBar;

namespace vintrel::ui {

class frmSplash;
class FrmAbout;
class FrmExp1;

// The windows the calculator window shows; each exists at most once.
struct AuxForms {
    platform::FormSlot<frmSplash> splash;
    platform::FormSlot<FrmAbout> about;
    platform::FormSlot<FrmExp1> help;
    AuxForms();
    ~AuxForms();
};

std::span<const ControlSpec> mainWindowLayout();
std::span<const std::pair<const char*, const char*>> mainWindowSpokenNames();

// The calculator window. It keeps no logic of its own: every key forwards
// to the engine, and the controls then show the engine's state.
class FrmVintrel : public platform::Form, private engine::WindowHost {
    Q_OBJECT
public:
    explicit FrmVintrel(AuxForms& forms);

    void Form_Load() override;

    const engine::Calculator& calculator() const { return calculator_; }
    const Controls& controls() const { return controls_; }
    QWidget* clientArea() const { return client_; }

    void cmdAdd_Click() { press(&engine::Calculator::cmdAdd_Click); }
    void cmdSubtract_Click() { press(&engine::Calculator::cmdSubtract_Click); }
    void cmdMultiply_Click() { press(&engine::Calculator::cmdMultiply_Click); }
    void cmdDivide_Click() { press(&engine::Calculator::cmdDivide_Click); }
    void CmdEquals_Click() { press(&engine::Calculator::CmdEquals_Click); }
    void CmdSqr_Click() { press(&engine::Calculator::CmdSqr_Click); }
    void CmdSqrt_Click() { press(&engine::Calculator::CmdSqrt_Click); }
    void CmdPercent_Click() { press(&engine::Calculator::CmdPercent_Click); }
    void CmdPy_Click() { press(&engine::Calculator::CmdPy_Click); }
    void CmdZero_Click() { press(&engine::Calculator::CmdZero_Click); }
    void CmdOne_Click() { press(&engine::Calculator::CmdOne_Click); }
    void CmdTwo_Click() { press(&engine::Calculator::CmdTwo_Click); }
    void CmdThree_Click() { press(&engine::Calculator::CmdThree_Click); }
    void CmdFour_Click() { press(&engine::Calculator::CmdFour_Click); }
    void CmdFive_Click() { press(&engine::Calculator::CmdFive_Click); }
    void CmdSix_Click() { press(&engine::Calculator::CmdSix_Click); }
    void CmdSeven_Click() { press(&engine::Calculator::CmdSeven_Click); }
    void CmdEight_Click() { press(&engine::Calculator::CmdEight_Click); }
    void CmdNine_Click() { press(&engine::Calculator::CmdNine_Click); }
    void CmdDot_Click() { press(&engine::Calculator::CmdDot_Click); }
    void CmdMem_Click() { press(&engine::Calculator::CmdMem_Click); }
    void cmdMrc_Click() { press(&engine::Calculator::cmdMrc_Click); }
    void CmdMemC_Click() { press(&engine::Calculator::CmdMemC_Click); }
    void CmdCancel_Click() { press(&engine::Calculator::CmdCancel_Click); }
    void cmdexp1_Click();
    void MnuAbout_Click();
    void MnuExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void press(engine::KeyHandler key);
    void refresh();
    void bindControls();
    void buildMenu(QMenuBar* menuBar);

    void showSplash() override;
    void hideSplash() override;

    AuxForms& forms_;
    QWidget* client_;
    Controls controls_;
    QLineEdit* txtDisplay_;
    QLineEdit* txtdisplay2_;
    engine::Calculator calculator_{this};
};

}  // namespace vintrel::ui
