#include "core/PollKey.h"

#include <atomic>

namespace tavrin {

namespace {
std::atomic<int> g_pending{0};
}

int PollKey() {
  int key = g_pending.exchange(0, std::memory_order_acq_rel);
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  return key;
}

void PostKey(int key) { g_pending.store(key, std::memory_order_release); }

void ClearPendingKey() { g_pending.store(0, std::memory_order_release); }

}  // namespace tavrin
