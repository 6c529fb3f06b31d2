#include "core/ThreadRandom.h"

namespace tavrin {

namespace {
thread_local RandomGenerator* t_bound = nullptr;
}

ThreadRandomScope::ThreadRandomScope(RandomGenerator& own) : previous_(t_bound) { t_bound = &own; }

ThreadRandomScope::~ThreadRandomScope() { t_bound = previous_; }

RandomGenerator* ThreadRandom() { return t_bound; }

}  // namespace tavrin
