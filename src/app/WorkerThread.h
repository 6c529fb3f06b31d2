#pragma once
#include <functional>

#include "core/ResultCode.h"

namespace tavrin {

// How the desktop runs long work: on a thread of its own, drawing random
// numbers from its own copy of the program's generator (whose sequence then
// goes on from where the work left it, as if the work ran on the calling
// thread). `wait` runs on the calling thread meanwhile and is told, through
// the function it receives, whether the work is over yet; `finished` runs
// on the worker thread once the work ended (the desktop wakes its box
// there). The work must compute only, on inputs it owns.
ResultCode RunOnWorkerThread(const std::function<ResultCode()>& work,
                             const std::function<void(const std::function<bool()>& over)>& wait,
                             const std::function<void()>& finished);

}  // namespace tavrin
