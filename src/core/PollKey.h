#pragma once

namespace tavrin {

// The interruption poll of long computations. The front end posts key
// presses (from any thread); PollKey takes the pending one without waiting.
// Returns 0 when nothing is pending; letters come back upper case, so a
// caller compares with 'Q' (quit big-integer work) or 'S' (stop the
// polynomial and root search). Other keys are consumed and ignored by callers.
int PollKey();

// Queues a key for the next PollKey. A later key replaces an earlier one.
void PostKey(int key);

// Drops a pending key (a command starts with a clean slate).
void ClearPendingKey();

// Makes PollKey ask `source` instead of the queue (null restores the queue):
// tests and benchmarks answer keys after a set number of polls.
using KeySource = int (*)();
void SetKeySource(KeySource source);

}  // namespace tavrin
