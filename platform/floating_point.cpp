#include "platform/floating_point.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace vintrel::platform {

const char* faultText(FpFault fault)
{
    switch (fault) {
    case FpFault::DivisionByZero: return "Division by zero";
    case FpFault::Overflow: return "Overflow";
    case FpFault::InvalidOperation: return "Invalid operation";
    }
    return "Invalid operation";
}

namespace {

thread_local std::optional<FpFault> recorded;

}  // namespace

void raiseFloatingPointError(FpFault fault)
{
    if (!recorded)
        recorded = fault;
}

std::optional<FpFault> takeFloatingPointError()
{
    const std::optional<FpFault> fault = recorded;
    recorded.reset();
    return fault;
}

namespace {

// IEEE 754 raises invalid when a NaN comes out of non-NaN operands, and
// overflow when an infinity comes out of finite ones. Operands that are
// already NaN or infinite propagate quietly, as they do in hardware.
double classify(double result, double a, double b)
{
    const bool operandsFinite = std::isfinite(a) && std::isfinite(b);
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        raiseFloatingPointError(FpFault::InvalidOperation);
    else if (std::isinf(result) && operandsFinite)
        raiseFloatingPointError(FpFault::Overflow);
    return result;
}

}  // namespace

double checkedAdd(double a, double b) { return classify(a + b, a, b); }
double checkedSubtract(double a, double b) { return classify(a - b, a, b); }
double checkedMultiply(double a, double b) { return classify(a * b, a, b); }

double checkedDivide(double a, double b)
{
    if (b == 0.0 && std::isfinite(a) && a != 0.0) {
        raiseFloatingPointError(FpFault::DivisionByZero);
        return a / b;
    }
    return classify(a / b, a, b);
}

double squareRoot(double x)
{
    if (x < 0.0) {
        raiseFloatingPointError(FpFault::InvalidOperation);
        return std::numeric_limits<double>::quiet_NaN();
    }
    return std::sqrt(x);
}

double roundToDouble(double x)
{
    if constexpr (FLT_EVAL_METHOD == 0) {
        return x;
    } else {
        volatile double stored = x;
        return stored;
    }
}

}  // namespace vintrel::platform
