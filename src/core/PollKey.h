#pragma once

namespace tavrin {

// The key queue behind the program's stop token (core/Interrupt.h: long
// computations are given the token, never this queue). The front end posts
// key presses (from any thread); PollKey takes the pending one without waiting.
// Returns 0 when nothing is pending; letters come back upper case, so a
// caller compares with 'Q' (quit big-integer work) or 'S' (stop the
// polynomial and root search). Other keys are consumed and ignored by callers.
int PollKey();

// Queues a key for the next PollKey. A later key replaces an earlier one.
void PostKey(int key);

// Drops a pending key (a command starts with a clean slate).
void ClearPendingKey();

}  // namespace tavrin
