#pragma once
#include <cstdint>

#include "core/Matrix.h"
#include "core/StepLog.h"
#include "engine/EchelonEngine.h"

namespace tavrin {

// The echelon stepping of integer mode: the same actions, budget and
// highlight as EchelonEngine, in exact fractions. Any non-zero entry is a
// pivot. m (numerators over one denominator) is replaced by the reduced
// copy over its least common denominator. When log is given, every action
// is appended to it (the caller starts the log from the unreduced matrix).
// When stopped is given, the Q key is polled between pivots; a stop sets
// *stopped and leaves m half reduced, for the caller to throw away.
EchelonHighlight ExactEchelonEngine(IntegerMatrix& m, int64_t budget, StepLog* log = nullptr,
                                    bool* stopped = nullptr);

}  // namespace tavrin
