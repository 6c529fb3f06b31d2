// Long work on a thread of its own while the interface thread goes on: the
// work reads copies of its inputs and draws from a generator of its own.
// Run under ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FakePort.h"
#include "MatrixBuilders.h"
#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/WorkerThread.h"
#include "core/PollKey.h"
#include "core/Random.h"

namespace tavrin {
namespace {

// Runs the work as the desktop does, on a worker thread, while `meanwhile`
// changes the workspace on this thread (a file handed over, say). The work
// starts only after the change, so that reading the live documents would
// show every time, not just when the threads happen to meet.
Application::LongWorkRunner Threaded(std::function<void()> meanwhile) {
  return [meanwhile](const std::function<ResultCode()>& work, int) {
    std::atomic<bool> changed{false};
    auto late = [&] {
      while (!changed) std::this_thread::yield();
      return work();
    };
    return RunOnWorkerThread(late, [&](const std::function<bool()>& over) {
      meanwhile();
      changed = true;
      while (!over()) std::this_thread::yield();
    }, nullptr);
  };
}

struct Desk {
  FakePort port;
  Application app{port};
  explicit Desk(Mode m) {
    (void)SwitchMode(app, m);
    Workspace& ws = app.workspace();
    if (m == Mode::Integer) {
      (void)ws.PutMatrix(m, "", 1, Int(2, 2, {2, 0, 0, 4}));
      (void)ws.PutMatrix(m, "", 2, Int(2, 1, {2, 8}));
    } else {
      ComplexMatrix a = Real(2, 2, {1, 2, 3, 4});
      if (m == Mode::Complex) a.at(0, 1).im = 1;
      (void)ws.PutMatrix(m, "", 1, a);
      (void)ws.PutMatrix(m, "", 2, Real(2, 1, {5, 6}));
    }
  }
  // Replaces A and B by other sizes, as an opened file would.
  void Overwrite() {
    Workspace& ws = app.workspace();
    for (int letter : {1, 2}) {
      MatrixDocument* d = ws.Lookup(letter);
      if (d->isInteger())
        d->Replace(Int(3, 1, {7, 7, 7}));
      else
        d->Replace(Real(1, 3, {9, 9, 9}));
    }
  }
  // What a command stored or showed, as text.
  std::string Result(int letter) {
    std::string text;
    (void)TextOutOf(*app.workspace().Lookup(letter), text);
    return text;
  }
};

TEST(LongWork, WorkReadsCopiesOfItsInputs) {
  struct Case {
    const char* name;
    Mode mode;
    std::function<std::string(Desk&)> run;
  } cases[] = {
      {"calculate", Mode::Real, [](Desk& s) { (void)Calculate(s.app, 3, "A*B+B"); return s.Result(3); }},
      {"calculate integer", Mode::Integer, [](Desk& s) { (void)Calculate(s.app, 3, "A^3*B"); return s.Result(3); }},
      {"solve integer", Mode::Integer, [](Desk& s) { (void)Solve(s.app, 1, 2, 3, 4, false); return s.Result(3); }},
      {"report", Mode::Real, [](Desk& s) { std::string t, x; (void)Report(s.app, 1, t, x); return x; }},
      {"report integer", Mode::Integer, [](Desk& s) { std::string t, x; (void)Report(s.app, 1, t, x); return x; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk quiet(c.mode), busy(c.mode);
    // The root finder draws random starts: the same seed, the same roots.
    ProgramRandom().Seed(31);
    std::string expected = c.run(quiet);
    busy.app.SetLongWorkRunner(Threaded([&busy] { busy.Overwrite(); }));
    ProgramRandom().Seed(31);
    EXPECT_EQ(c.run(busy), expected);
    EXPECT_TRUE(busy.port.codes.empty());
  }
}

// The stop key pressed as the work starts ends it at the next row at the
// latest; nothing is stored. Real products and formulas without loops
// polled nowhere before.
TEST(LongWork, StopKeyEndsTheWorkAndNothingIsStored) {
  struct Case {
    const char* name;
    Mode mode;
    std::function<ResultCode(Application&)> run;
  } cases[] = {
      {"real product", Mode::Real, [](Application& a) { return Calculate(a, 3, "A*A"); }},
      {"real power", Mode::Real, [](Application& a) { return Calculate(a, 3, "A^5"); }},
      {"complex product", Mode::Complex, [](Application& a) { return Calculate(a, 3, "A*A"); }},
      {"integer product", Mode::Integer, [](Application& a) { return Calculate(a, 3, "A*A"); }},
      {"formula", Mode::Real, [](Application& a) { return Formula(a, 3, "30", "30", "I+J"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Desk s(c.mode);
    int runs = 0;
    s.app.SetLongWorkRunner([&runs](const std::function<ResultCode()>& work, int) {
      ++runs;
      PostKey('Q');
      return work();
    });
    EXPECT_EQ(c.run(s.app), ResultCode::Stopped);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(s.app.workspace().Lookup(3), nullptr);
    EXPECT_TRUE(s.port.codes.empty());
  }
}

TEST(LongWork, RealSolveRunsAsLongWork) {
  Desk s(Mode::Real);
  int runs = 0;
  s.app.SetLongWorkRunner([&runs](const std::function<ResultCode()>& work, int key) {
    ++runs;
    EXPECT_EQ(key, 'Q');
    return work();
  });
  // (1 2; 3 4) x = (5; 6): x = (-4; 4.5).
  ASSERT_EQ(Solve(s.app, 1, 2, 3, 4, false), ResultCode::Ok);
  EXPECT_EQ(runs, 1);
  const ComplexMatrix& x = s.app.workspace().Lookup(3)->z;
  EXPECT_NEAR(static_cast<double>(x.at(0, 0).re), -4.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(x.at(1, 0).re), 4.5, 1e-15);
}

TEST(LongWork, WorkDrawsFromItsOwnGenerator) {
  // Seeded alike, a worker's draws and the program's later ones continue
  // one sequence, whatever the interface thread does meanwhile.
  RandomGenerator reference;
  reference.Seed(977);
  std::vector<int32_t> expected;
  for (int i = 0; i < 6; ++i) expected.push_back(reference.Next());

  ProgramRandom().Seed(977);
  std::vector<int32_t> got;
  int32_t meanwhile = 0;
  (void)RunOnWorkerThread(
      [&] {
        for (int i = 0; i < 3; ++i) got.push_back(ProgramRandom().Next());
        return ResultCode::Ok;
      },
      [&](const std::function<bool()>& over) {
        meanwhile = ProgramRandom().Next();  // this thread's generator: the worker's is its own
        while (!over()) std::this_thread::yield();
      },
      nullptr);
  for (int i = 0; i < 3; ++i) got.push_back(ProgramRandom().Next());
  EXPECT_EQ(meanwhile, expected[0]);
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace tavrin
