#pragma once

#include <optional>

namespace vintrel::platform {

// The three conditions the calculator treats as faults. Underflow and inexact
// results are ordinary outcomes of decimal arithmetic and are never reported.
enum class FpFault { DivisionByZero, Overflow, InvalidOperation };

// The text a person sees when a key hits the fault.
const char* faultText(FpFault fault);

// The floating-point run-time error is kept the way the hardware keeps its
// exception flags: an operation that faults records the fault and still
// returns its IEEE 754 result, and whoever started the computation reads the
// record when it is done. The first fault recorded is the one that counts,
// until the record is taken. A record per thread. Recording rather than
// throwing keeps a key that faults as quick as any other.
void raiseFloatingPointError(FpFault fault);
// The fault recorded since the last call, if any; the record is then clear.
std::optional<FpFault> takeFloatingPointError();

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
