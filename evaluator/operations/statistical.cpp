// "Statistical Operators": permutations, combinations and factorials, all built on the
// answer-accumulating loop.
#include <array>

#include "evaluation.h"

namespace quillon {

namespace {

enum class Step { Multiply, Divide };

// The answer-accumulating loop. The running value is not held anywhere but in the text of
// Answer: every pass reads that text back, multiplies or divides it by the counter k and writes
// the result again, so each pass starts from the 15 digits shown. k is a Double that runs from
// start while k <= end, the bounds taken as numbers once, when the loop begins (a text that is
// not a number fails here).
//
// A running text of "0" ends the loop: zero times any counter, and zero divided by a counter
// of at least 1 (dividing loops start at 1), is written "0" again, so no later pass of this
// loop or of a following one could change it. That is what bounds every counting evaluation
// to a few hundred passes whatever its end: a product that grows overflows, one that shrinks
// reaches "0", and k itself stops advancing only beyond 2^53, where it grows or shrinks the
// product fastest.
void accumulate(Evaluation& e, const Variant& start, const Variant& end, Step step) {
    const double first = start.toDouble();
    const double last = end.toDouble();
    for (double k = first; k <= last; k += 1.0) {
        const std::string running = e.read(Box::Answer);
        if (running == "0") {
            return;
        }
        e.countStep();
        const Variant counter = Variant::number(k);
        e.writeAnswer(step == Step::Multiply ? Variant::text(running) * counter
                                             : Variant::text(running) / counter);
    }
}

const Variant kUnit = Variant::integer(1);

// n is the value of the text operand x (First, or Second in one-number mode), r is the number
// operand y.

// The first loop of permutations and combinations: k = (n - r) + 1 ... n, x k.
void fallingProduct(Evaluation& e) {
    e.writeAnswer("1");
    const Variant start = (e.textOperand - e.numberValue()) + kUnit;
    accumulate(e, start, e.textOperand, Step::Multiply);
}

// n! / (n - r)!
void permutations(Evaluation& e) {
    fallingProduct(e);
}

// n! / (r! (n - r)!): the whole product first, then the divisions by 1 ... r.
void combinations(Evaluation& e) {
    fallingProduct(e);
    accumulate(e, kUnit, e.numberValue(), Step::Divide);
}

// n x r!, starting from the text of First exactly as typed.
void timesFactorial(Evaluation& e) {
    e.writeAnswer(e.textOperand);
    accumulate(e, kUnit, e.numberValue(), Step::Multiply);
}

// n / r!, starting from the text of First exactly as typed.
void overFactorial(Evaluation& e) {
    e.writeAnswer(e.textOperand);
    accumulate(e, kUnit, e.numberValue(), Step::Divide);
}

// n! x r!
void factorialTimesFactorial(Evaluation& e) {
    e.writeAnswer("1");
    accumulate(e, kUnit, e.textOperand, Step::Multiply);
    accumulate(e, kUnit, e.numberValue(), Step::Multiply);
}

// n! / r!
void factorialOverFactorial(Evaluation& e) {
    e.writeAnswer("1");
    accumulate(e, kUnit, e.textOperand, Step::Multiply);
    accumulate(e, kUnit, e.numberValue(), Step::Divide);
}

// One-number mode: the factorial of the value of Second; the held answer is not used.
void factorial(Evaluation& e) {
    e.writeAnswer("1");
    accumulate(e, kUnit, e.textOperand, Step::Multiply);
}

constexpr std::array kRows = {
    CatalogueEntry{"nPr", kTwo,
                   "Permutations: ordered ways to pick Second things out of First things",
                   permutations},
    CatalogueEntry{"nCr", kTwo, "Combinations of First things taken Second at a time",
                   combinations},
    CatalogueEntry{"×!", kTwo, "First times the factorial of Second", timesFactorial},
    CatalogueEntry{"÷!", kTwo, "First divided by the factorial of Second", overFactorial},
    CatalogueEntry{"!!", kTwo, "The factorial of First times the factorial of Second",
                   factorialTimesFactorial},
    CatalogueEntry{"!÷!", kTwo, "The factorial of First divided by the factorial of Second",
                   factorialOverFactorial},
    CatalogueEntry{"!", kOne, "The factorial of the number in Second", factorial},
};

constexpr CatalogueBlock kBlock = makeBlock("Statistical Operators", kRows);

}  // namespace

const CatalogueBlock& statisticalOperators() {
    return kBlock;
}

}  // namespace quillon
