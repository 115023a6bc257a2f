#pragma once

#include "ui/common/forms.h"
#include "ui/common/layout.h"

#include <span>

namespace vintrel::ui {

std::span<const ControlSpec> helpLayout();

// The worked example of chaining with "="; fixed texts only.
class FrmExp1 : public Form {
    Q_OBJECT
public:
    FrmExp1();
    const Controls& controls() const { return controls_; }

private:
    Controls controls_;
};

}  // namespace vintrel::ui
