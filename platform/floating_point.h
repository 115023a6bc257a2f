#pragma once

#include <stdexcept>
#include <string>

namespace vintrel::platform {

// The three conditions the calculator treats as faults. Underflow and inexact
// results are ordinary outcomes of decimal arithmetic and are never reported.
enum class FpFault { DivisionByZero, Overflow, InvalidOperation };

// The text a person sees when a key hits the fault.
const char* faultText(FpFault fault);

// The floating-point run-time error. Keys let it propagate; whoever drives
// the engine catches it and tells the user.
class FloatingPointError : public std::runtime_error {
public:
    explicit FloatingPointError(FpFault fault);
    FpFault fault() const noexcept { return fault_; }

private:
    FpFault fault_;
};

[[noreturn]] void raiseFloatingPointError(FpFault fault);

// Checked arithmetic. Each function performs one IEEE 754 double operation
// and raises the floating-point error when that operation signals invalid,
// division by zero or overflow. The conditions are classified from the
// operands and the result rather than read from the hardware flags, so the
// check cannot be reordered away or polluted by unrelated code when the
// compiler optimises.
double checkedAdd(double a, double b);
double checkedSubtract(double a, double b);
double checkedMultiply(double a, double b);
double checkedDivide(double a, double b);

// Square root; a negative argument is an invalid operation (the root of -0
// is -0, which the calculator writes as "0").
double squareRoot(double x);

// Rounds a value held at extended precision to a 64-bit double. With SSE2
// arithmetic every result already is one; the store matters only where the
// compiler evaluates in x87 registers.
double roundToDouble(double x);

}  // namespace vintrel::platform
