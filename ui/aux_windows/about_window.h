#pragma once

#include "ui/common/forms.h"
#include "ui/common/layout.h"

#include <span>

namespace vintrel::ui {

std::span<const ControlSpec> aboutLayout();

// Name, version and a greeting. "OK", Enter and Escape hide it; closing it
// through its frame unloads it.
class FrmAbout : public Form {
    Q_OBJECT
public:
    FrmAbout();
    const Controls& controls() const { return controls_; }

    void cmdOK_Click() { hide(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Controls controls_;
};

}  // namespace vintrel::ui
