#pragma once
#include "core/Random.h"

namespace tavrin {

// Long work on a worker thread draws its random numbers from a generator
// of its own: while a scope lives, ProgramRandom() on its thread is `own`,
// and other threads keep the program's generator to themselves.
class ThreadRandomScope {
 public:
  explicit ThreadRandomScope(RandomGenerator& own);
  ~ThreadRandomScope();
  ThreadRandomScope(const ThreadRandomScope&) = delete;
  ThreadRandomScope& operator=(const ThreadRandomScope&) = delete;

 private:
  RandomGenerator* previous_;
};

// The generator bound to this thread, or nullptr.
RandomGenerator* ThreadRandom();

}  // namespace tavrin
