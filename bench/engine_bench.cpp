// Per-operation timings of the engine: each key on a calculator prepared
// by a key sequence, and the two number conversions. A key changes the
// calculator, so every timed press gets its own copy of the prepared one;
// the copies are made in batches with the timer paused, and "per_op" is the
// time of one press (or one conversion).
#include "platform/floating_point.h"
#include "platform/numbers.h"
#include "tools/key_replay.h"

#include <benchmark/benchmark.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vintrel;
using engine::Calculator;

constexpr std::size_t batch = 256;

Calculator prepared(std::string_view keys)
{
    Calculator calculator;
    for (std::string_view word : tools::splitTokens(keys)) {
        const auto token = tools::parseToken(word);
        if (!token)
            throw std::invalid_argument("unknown key " + std::string(word));
        if (const auto fault = tools::play(calculator, *token))
            throw std::invalid_argument("setting up '" + std::string(keys) + "' faulted: " + *fault);
    }
    return calculator;
}

const std::string& visibleText(const Calculator& calculator)
{
    const auto& s = calculator.state();
    return s.txtDisplayVisible ? s.txtDisplayText : s.txtdisplay2Text;
}

void perOperation(benchmark::State& state, std::size_t operationsPerIteration)
{
    state.counters["per_op"] = benchmark::Counter(static_cast<double>(operationsPerIteration),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

struct KeyCase {
    const char* caption;
    const char* setup;
    const char* shows;  // the visible field afterwards, so a case that
                        // silently did nothing (equals disabled, say) fails
};

void timeKey(benchmark::State& state, const KeyCase& c)
{
    const auto key = tools::parseToken(c.caption)->key->operation;
    const Calculator start = prepared(c.setup);
    std::vector<Calculator> copies(batch, start);
    for (auto _ : state) {
        state.PauseTiming();
        std::fill(copies.begin(), copies.end(), start);
        state.ResumeTiming();
        for (Calculator& calculator : copies)
            (calculator.*key)();
        benchmark::ClobberMemory();
    }
    if (visibleText(copies.front()) != c.shows)
        state.SkipWithError(("shows '" + visibleText(copies.front()) + "', expected '" + c.shows + "'").c_str());
    perOperation(state, batch);
}

// The user sees a fault rarely, but the key that reports one should be as
// quick as any other.
void timeFaultingEquals(benchmark::State& state)
{
    const Calculator start = prepared("1 / 0");
    Calculator calculator = start;
    benchmark::IterationCount faults = 0;
    for (auto _ : state) {
        if (calculator.CmdEquals_Click())
            ++faults;
    }
    if (faults != state.iterations())
        state.SkipWithError("'1 / 0 =' did not fault every time");
    perOperation(state, 1);
}

void timeTextToNumber(benchmark::State& state, std::string text)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(platform::textToNumber(text));
    }
    perOperation(state, 1);
}

void timeNumberToText(benchmark::State& state, double value)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(platform::numberToText(value));
    }
    perOperation(state, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    static const KeyCase keys[] = {
        {"5", "1 2 3 4", "12345"},
        {".", "1 2", "12."},
        {"+", "1 2 3 4 5", ""},
        {"/", "1 2 3 4 5", ""},
        {"=", "5 + 7", "12"},
        {"=", "1 / 3", "0.333333333333333"},
        {"=", "5 + 7 = * 3", "36"},
        {"=", "text:70000 Sqrt", "264.575131106459"},
        {"^", "1 2", "Press Equals..."},
        {"Sqrt", "2", "2"},
        {"%", "5 0", ""},
        {"TT", "", "3.14159265358979"},
        {"M+", "1 2 . 5", "12.5"},
        {"MRC", "1 2 M+ 3", "12"},
        {"MC", "1 2 M+", "12"},
        {"C", "5 + 7 =", ""},
    };
    for (const KeyCase& c : keys) {
        const std::string name = std::string("key ") + c.caption + " after '" + c.setup + "'";
        benchmark::RegisterBenchmark(name.c_str(), timeKey, c);
    }
    benchmark::RegisterBenchmark("key = faulting after '1 / 0'", timeFaultingEquals);

    for (const char* text : {"7", "12345.678", "0.333333333333333", "1.79769313486231E+308",
                             "4.94065645841247E-324", "3.14159265358979e-7xyz", "Press Equals..."})
        benchmark::RegisterBenchmark((std::string("textToNumber '") + text + "'").c_str(), timeTextToNumber,
                                     std::string(text));
    for (double value : {12.0, 0.1 + 0.2, 1.0 / 3, 264.57513110645906, 1e300,
                         std::numeric_limits<double>::denorm_min()})
        benchmark::RegisterBenchmark(("numberToText " + platform::numberToText(value)).c_str(),
                                     timeNumberToText, value);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
