#include "app/Application.h"

#include <new>
#include <stdexcept>

#include "core/GmpMemory.h"
#include "core/Interrupt.h"
#include "core/PollKey.h"
#include "core/Random.h"
#include "engine/ExactOperations.h"
#include "engine/Operations.h"
#include "lang/FormulaEngine.h"

namespace tavrin {

TaskState::TaskState()
    : operations(std::make_unique<OperationStack>()), exactOperations(std::make_unique<ExactOperationStack>()) {}

TaskState::~TaskState() = default;

Application::Application(UserPort& port)
    : port_(port), ws_(port), formula_(std::make_unique<FormulaEngine>()), random_(&ProgramRandom()),
      interrupt_(&ProgramInterrupt()) {
  InstallGmpMemoryFunctions();
}

Application::~Application() = default;

ResultCode Application::RunLong(const std::function<ResultCode()>& work, int stopKey) {
  // Memory that runs out (GMP's budget included) ends the work with code 3;
  // the work computes into its own results, so nothing half-done is stored.
  const std::function<ResultCode()> guarded = [&work]() -> ResultCode {
    try {
      return work();
    } catch (const std::bad_alloc&) {
      return ResultCode::LowMemory;
    } catch (const std::length_error&) {
      return ResultCode::LowMemory;
    }
  };
  ClearPendingKey();
  ResultCode c = runner_ ? runner_(guarded, stopKey) : guarded();
  ClearPendingKey();
  return c;
}

ResultCode Application::Fail(ResultCode c) {
  port_.ShowCode(c);
  return c;
}

}  // namespace tavrin
