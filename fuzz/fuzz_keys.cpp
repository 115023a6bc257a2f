// libFuzzer entry: plays the decoded actions on one calculator and aborts,
// with the keys that lead there, on the first broken invariant.
#include "fuzz/key_actions.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vintrel;
    const auto actions = fuzz::decodeActions({data, size});
    engine::Calculator calculator;
    const fuzz::RunResult result = fuzz::runActions(calculator, actions);
    if (result.violation) {
        std::fputs(fuzz::report(calculator, actions, *result.violation).c_str(), stderr);
        std::abort();
    }
    return 0;
}
