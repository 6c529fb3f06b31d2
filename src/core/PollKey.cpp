#include "core/PollKey.h"

#include <atomic>

#include "core/Interrupt.h"

namespace tavrin {

namespace {
std::atomic<int> g_pending{0};
}  // namespace

int PollKey() {
  int key = g_pending.exchange(0, std::memory_order_acq_rel);
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  return key;
}

void PostKey(int key) { g_pending.store(key, std::memory_order_release); }

void ClearPendingKey() { g_pending.store(0, std::memory_order_release); }

namespace {
class KeyQueueInterrupt final : public Interrupt {
 public:
  int Poll() override { return PollKey(); }
};
}  // namespace

Interrupt& ProgramInterrupt() {
  static KeyQueueInterrupt token;
  return token;
}

}  // namespace tavrin
