#pragma once
#include <cstdint>

#include "core/Interrupt.h"
#include "core/Matrix.h"
#include "core/StepLog.h"
#include "engine/EchelonEngine.h"

namespace tavrin {

// The echelon stepping of integer mode: the same actions, budget and
// highlight as EchelonEngine, in exact fractions. Any non-zero entry is a
// pivot. m (numerators over one denominator) is replaced by the reduced
// copy over its least common denominator. When log is given, every action
// is appended to it (the caller starts the log from the unreduced matrix).
// When `stop` is given, it is polled between pivots; Q ends the stepping
// with m unchanged. *status (when given) is then Stopped, otherwise Ok. Without
// `stop` the stepping never stops.
EchelonHighlight ExactEchelonEngine(IntegerMatrix& m, int64_t budget, StepLog* log = nullptr,
                                    Interrupt* stop = nullptr, ResultCode* status = nullptr);

}  // namespace tavrin
