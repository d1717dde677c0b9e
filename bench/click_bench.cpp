// Times one press of "Do It!" on controls held in memory, for the slowest evaluations known:
// counting loops with huge ends, the longest products and quotients, the step counter on
// a long run (the longest from a start below 113383) and on the first start that leaves
// 32 bits, and the slowest correctly rounded trigonometric, exponential and power clicks.
//
//   build/bench/click_bench            every click, time per click and loop passes
//   ctest --test-dir build -L bench    the same through CTest
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

#include "driver.h"
#include "memory_controls.h"

namespace quillon {
namespace {

struct Click {
    const char* label;
    std::int16_t mode;  // NumberMode
    const char* first;
    const char* second;
    const char* operation;
    // What Answer must show, so that a timing is never taken of some other evaluation.
    const char* answer;
    bool fails;
};

constexpr std::int16_t kTwo = 2;
constexpr std::int16_t kOne = 1;
constexpr const char* kFactorial170 = "7.25741561530814E+306";

const Click kClicks[] = {
    {"÷! 1 by 1E300", kTwo, "1", "1E300", "\u00F7!", "0", false},
    {"÷! largest by 1E300", kTwo, "1.79769313486232E+308", "1E300", "\u00F7!", "0", false},
    {"×! 0 by 1E300", kTwo, "0", "1E300", "\u00D7!", "0", false},
    {"×! smallest by 1E300", kTwo, "4.94065645841247E-324", "1E300", "\u00D7!",
     "1.18167654992212E+306", true},
    {"nCr 10 1E300", kTwo, "10", "1E300", "nCr", "-1E+300", true},
    {"nCr 1000 500", kTwo, "1000", "500", "nCr", "2.56899745698347E+307", true},
    {"!÷! 170 1E300", kTwo, "170", "1E300", "!\u00F7!", "0", false},
    {"! 1E300", kOne, "", "1E300", "!", kFactorial170, true},
    {"! 170", kOne, "", "170", "!", kFactorial170, false},
    {"MAGNIF() 106239", kOne, "", "106239", "MAGNIF()", "353", false},
    {"MAGNIF() 113382", kOne, "", "113382", "MAGNIF()", "66", false},
    {"MAGNIF() 113383", kOne, "", "113383", "MAGNIF()", "0", true},
    // The slowest correctly rounded functions: circular functions of huge arguments (reduced
    // modulo pi to over a thousand bits), powers and exponentials next to overflow, and the
    // arccosine with its two powers and its arctangent.
    {"Sin() 1E300", kOne, "", "1E300", "Sin()", "-0.817881912115909", false},
    {"Cos() 1E22", kOne, "", "1E22", "Cos()", "0.523214785395139", false},
    {"Tan() largest", kOne, "", "1.79769313486232E+308", "Tan()", "-0.0049620158744449", false},
    {"Cot() largest", kOne, "", "1.79769313486232E+308", "Cot()", "-201.530995729003", false},
    {"Sec() 1E300", kOne, "", "1E300", "Sec()", "-1.73796339400312", false},
    {"Cos°() 1E300", kOne, "", "1E300", "Cos\u00B0()", "-0.652962587656734", false},
    {"Sin>Sin 1E300 1E300", kTwo, "1E300", "1E300", "Sin>Sin", "0", false},
    {"Cos(sum) 1E300 1E300", kTwo, "1E300", "1E300", "Cos(sum)", "-0.33786164433275", false},
    {"e^ 709.782712893384", kOne, "", "709.782712893384", "e^", "1.79769313486227E+308", false},
    {"10^ 308.254715559916", kOne, "", "308.254715559916", "10^", "1.79769313485927E+308", false},
    {"^ largest 0.999999999999999", kTwo, "1.79769313486232E+308", "0.999999999999999", "^",
     "1.79769313486104E+308", false},
    {"^ 2 1023.99999999999", kTwo, "2", "1023.99999999999", "^", "1.79769313484985E+308", false},
    {"^Log 0.5 1E300", kTwo, "0.5", "1E300", "^Log", "4.90909346529792E-91", false},
    {"Acos() -0.999999999999999", kOne, "", "-0.999999999999999", "Acos()", "3.14159260888631",
     false},
    // A typical click of each operator family, for comparison.
    {"family arithmetic: 7 ÷ 2", kTwo, "7", "2", "\u00F7", "3.5", false},
    {"family arithmetic: held ×% 4", kOne, "", "4", "\u00D7%", "0", false},
    {"family relational: 10 < 9", kTwo, "10", "9", "<", "1", false},
    {"family bitwise: 12 Nand 10", kTwo, "12", "10", "Nand (Bytewise)", "-9", false},
    {"family logical: Xor", kTwo, "abc", "0", "Xor (Logical)", "1", false},
    {"family counting: nCr 10 3", kTwo, "10", "3", "nCr", "120", false},
    {"family conversions: °F -> °C 98.6", kOne, "", "98.6", "\u00B0F -> \u00B0C", "37", false},
    {"family powers: 2 ^ 10", kTwo, "2", "10", "^", "1024", false},
    {"family powers: Log 1000", kOne, "", "1000", "Log", "3", false},
    {"family trigonometry: Sin°(sum) 30 60", kTwo, "30", "60", "Sin\u00B0(sum)", "1", false},
    {"family trigonometry: Acos() -0.5", kOne, "", "-0.5", "Acos()", "2.09439510239319", false},
    {"family miscellaneous: 7 Mod 2", kTwo, "7", "2", "Mod", "1", false},
    {"family miscellaneous: concatenate", kTwo, "12", "34", "& (Concatenate)", "1234", false},
    {"family miscellaneous: MAGNIF() 27", kOne, "", "27", "MAGNIF()", "111", false},
    {"no operation chosen", kTwo, "7", "2", "Choose Operation", "ERROR 1: No operation chosen",
     false},
};

// Set when a click showed something else than expected; the program then exits with 1.
bool unexpectedResult = false;

void clickOnce(benchmark::State& state, const Click& click) {
    MemoryControls controls;
    controls.setText(Box::First, click.first);
    controls.setText(Box::Second, click.second);
    controls.setEditText(click.operation);
    EvaluationTrace trace;
    std::optional<Failure> failure;
    for (auto _ : state) {
        controls.setText(Box::Answer, "0");
        failure = DoIt_Click(controls, click.mode, &trace);
        benchmark::DoNotOptimize(failure);
    }
    const std::string answer = controls.text(Box::Answer);
    if (failure.has_value() != click.fails || answer != click.answer) {
        unexpectedResult = true;
        state.SkipWithError(("unexpected result: " + answer).c_str());
    }
    state.counters["passes"] = static_cast<double>(trace.loopSteps);
}

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
    for (const quillon::Click& click : quillon::kClicks) {
        benchmark::RegisterBenchmark(click.label, quillon::clickOnce, click);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return quillon::unexpectedResult ? 1 : 0;
}
