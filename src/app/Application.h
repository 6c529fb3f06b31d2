#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/Workspace.h"
#include "core/ResultCode.h"
#include "core/StepLog.h"

namespace tavrin {

class FormulaEngine;
class Interrupt;
class OperationStack;
class RandomGenerator;
class ExactOperationStack;

// What the task dialogs keep between presses of their buttons: the step
// counters of the Linear program and Echelon dialogs, the undo records of
// the Row/clm operations dialog, and the step logs of the three companion
// windows since their last reset.
struct TaskState {
  TaskState();
  ~TaskState();
  int lpCounter = -1;
  std::string lpChoice;  // maximise and letters of the last run
  int echelonCounter = 0;
  int echelonLetter = 0;
  std::unique_ptr<OperationStack> operations;
  std::unique_ptr<ExactOperationStack> exactOperations;
  StepLog echelonSteps, operationSteps, lpSteps;
};

// The application context every command runs in (src/app/commands/): the
// workspace of the three modes, the port through which the user is asked
// and told, the runner of long work, the formula engine and the task
// dialogs' state. It holds state only; the commands are free functions of
// it. The Qt main frame and tavrin-console each own one.
class Application {
 public:
  explicit Application(UserPort& port);
  ~Application();

  Workspace& workspace() { return ws_; }
  const Workspace& workspace() const { return ws_; }
  UserPort& port() { return port_; }
  Mode mode() const { return ws_.mode(); }
  FormulaEngine& formulaEngine() { return *formula_; }
  TaskState& tasks() { return tasks_; }
  const TaskState& tasks() const { return tasks_; }
  // The generator commands draw from: the program's one, which `seed` sets.
  RandomGenerator& random() { return *random_; }
  // The stop check that long work is given: the program's, answered by the
  // key queue the front ends post Q and S to.
  Interrupt& interrupt() { return *interrupt_; }

  // Long computations (Calculate, Solve, Formula, the One matrix report,
  // integer Echelon and linear programs) run their arithmetic through this
  // runner: the desktop program runs the work off its interface thread
  // behind a progress box that turns the stop key (Q, or S for the
  // polynomial) into the poll's answer. The work touches no window and
  // asks nothing. The default runs it directly.
  using LongWorkRunner = std::function<ResultCode(const std::function<ResultCode()>& work, int stopKey)>;
  void SetLongWorkRunner(LongWorkRunner runner) { runner_ = std::move(runner); }
  // Runs work through the runner; memory that runs out ends it with code 3.
  ResultCode RunLong(const std::function<ResultCode()>& work, int stopKey);

  // Reports a positive code once through the port and returns it.
  ResultCode Fail(ResultCode c);

  // The Linear program and Echelon dialogs' step counters.
  int lpCounter() const { return tasks_.lpCounter; }
  int echelonCounter() const { return tasks_.echelonCounter; }

 private:
  UserPort& port_;
  Workspace ws_;
  std::unique_ptr<FormulaEngine> formula_;
  TaskState tasks_;
  LongWorkRunner runner_;
  RandomGenerator* random_;
  Interrupt* interrupt_;
};

}  // namespace tavrin
