#include "app/WorkerThread.h"

#include <atomic>
#include <thread>

#include "core/ThreadRandom.h"

namespace tavrin {

ResultCode RunOnWorkerThread(const std::function<ResultCode()>& work,
                             const std::function<void(const std::function<bool()>& over)>& wait,
                             const std::function<void()>& finished) {
  RandomGenerator own = ProgramRandom();
  ResultCode result = ResultCode::Ok;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    {
      ThreadRandomScope scope(own);
      result = work();
    }
    done.store(true, std::memory_order_release);
    if (finished) finished();
  });
  wait([&done] { return done.load(std::memory_order_acquire); });
  worker.join();
  ProgramRandom() = own;
  return result;
}

}  // namespace tavrin
