#include "core/GmpMemory.h"

#include <gmp.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>

namespace tavrin {

namespace {

std::atomic<long long> g_inUse{0};
std::atomic<size_t> g_budget{0};

size_t DefaultBudget() {
  const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
  const size_t cap = size_t{4} << 30;
  if (pages <= 0 || pageSize <= 0) return cap;
  return std::min(cap, static_cast<size_t>(pages) * static_cast<size_t>(pageSize) / 2);
}

// Claims `more` bytes of the budget, or throws without claiming anything.
void Claim(size_t more) {
  const long long budget = static_cast<long long>(GmpMemoryBudget());
  const long long wanted = static_cast<long long>(std::min<size_t>(more, size_t{1} << 62));
  if (g_inUse.fetch_add(wanted) + wanted > budget) {
    g_inUse.fetch_sub(wanted);
    throw std::bad_alloc();
  }
}

void* Allocate(size_t n) {
  Claim(n);
  void* p = std::malloc(n);
  if (!p) {
    g_inUse.fetch_sub(static_cast<long long>(n));
    throw std::bad_alloc();
  }
  return p;
}

void* Reallocate(void* old, size_t oldSize, size_t newSize) {
  if (newSize > oldSize) Claim(newSize - oldSize);
  void* p = std::realloc(old, newSize);
  if (!p) {
    // The old block is still there, still GMP's.
    if (newSize > oldSize) g_inUse.fetch_sub(static_cast<long long>(newSize - oldSize));
    throw std::bad_alloc();
  }
  if (newSize < oldSize) g_inUse.fetch_sub(static_cast<long long>(oldSize - newSize));
  return p;
}

void Release(void* p, size_t n) {
  std::free(p);
  // Blocks made before the installation are not counted: never below zero.
  long long now = g_inUse.load();
  while (!g_inUse.compare_exchange_weak(now, std::max(0LL, now - static_cast<long long>(n)))) {
  }
}

}  // namespace

void InstallGmpMemoryFunctions() {
  static std::once_flag once;
  std::call_once(once, [] { mp_set_memory_functions(Allocate, Reallocate, Release); });
}

size_t GmpBytesInUse() { return static_cast<size_t>(std::max(0LL, g_inUse.load())); }

size_t GmpMemoryBudget() {
  size_t b = g_budget.load();
  if (b == 0) {
    b = DefaultBudget();
    g_budget.store(b);
  }
  return b;
}

void SetGmpMemoryBudget(size_t bytes) { g_budget.store(bytes); }

bool FitsGmpBudget(long double bits, long double count) {
  return bits * count / 8.0L <= static_cast<long double>(GmpMemoryBudget());
}

}  // namespace tavrin
