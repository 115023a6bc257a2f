#pragma once

// Key sequences as the engine tests write them, the way a person reads them
// off the window: a key's caption, or "type:TEXT" and "text:TEXT" for
// typing into the visible field (appending to it, or replacing its text).
// The engine alone plays them, so these tests take nothing above it.
#include "engine/keys.h"
#include "platform/floating_point.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace vintrel::engine::test {

// Plays one step; the fault's text when its key hit one.
inline std::optional<std::string> playStep(Calculator& calculator, std::string_view step)
{
    const Field visible = calculator.state().visibleField();
    if (const Key* key = keyByCaption(step)) {
        if (const KeyOutcome fault = (calculator.*key->operation)())
            return std::string(platform::faultText(*fault));
    } else if (step.starts_with("type:")) {
        calculator.editField(visible, calculator.state().text(visible) + std::string(step.substr(5)));
    } else if (step.starts_with("text:")) {
        calculator.editField(visible, std::string(step.substr(5)));
    } else {
        ADD_FAILURE() << "no key '" << step << "'";
    }
    return std::nullopt;
}

}  // namespace vintrel::engine::test
