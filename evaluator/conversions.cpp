// Not evaluated yet: until its operators are built, their names are no match.
#include "evaluation.h"

namespace quillon {

std::span<const Operator> conversionOperators() { return {}; }

}  // namespace quillon
