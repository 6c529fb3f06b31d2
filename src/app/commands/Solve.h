#pragma once
#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// Solve M X = B (or M X = 0 with zeros): X stored under x with "solution",
// and when the rank is below the number of columns the kernel basis under
// k with "kernel basis". Codes 6 (X or K the same letter as M, B the wrong
// shape), 108, 111; a stopped solve (Q) returns Stopped and stores nothing.
ResultCode Solve(Application& app, int m, int b, int x, int k, bool zeros);

// Console: `solve M B X K` / `solve M zeros X K`.
ResultCode SolveLine(Application& app, CommandLine& line);

}  // namespace tavrin
