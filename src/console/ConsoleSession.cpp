#include "console/ConsoleSession.h"

#include <signal.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <functional>
#include <new>
#include <stdexcept>

#include "app/commands/CommandLine.h"
#include "app/commands/CommandTable.h"
#include "core/PollKey.h"
#include "core/Random.h"

namespace tavrin {

namespace {

// Ctrl+C during long work answers the poll with the work's stop key;
// outside long work it ends the program as usual.
std::atomic<int> g_stopKey{'Q'};
extern "C" void OnInterrupt(int) { PostKey(g_stopKey.load()); }

ResultCode RunWithInterrupt(const std::function<ResultCode()>& work, int stopKey) {
  g_stopKey = stopKey;
  struct sigaction action {}, previous {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous);
  ResultCode c = work();
  sigaction(SIGINT, &previous, nullptr);
  return c;
}

}  // namespace

ConsoleSession::ConsoleSession(std::ostream& out) : out_(out), port_(out), app_(port_) {
  app_.SetLongWorkRunner(RunWithInterrupt);
  // As the desktop program does, the generator starts from the time; `seed`
  // makes a script repeatable.
  app_.random().Seed(static_cast<uint32_t>(std::time(nullptr)));
}

bool ConsoleSession::RunLine(const std::string& rawLine, std::istream& in) {
  std::string text = rawLine;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  CommandLine line{SplitWords(text), text, out_,
                   [&in](std::string& next) { return static_cast<bool>(std::getline(in, next)); },
                   [this](Answer a) { port_.SetAnswer(a); }};
  if (line.words.empty() || line.words[0][0] == '#') return true;
  const CommandEntry* command = FindCommand(line.words[0]);
  if (!command) {
    out_ << "error: unknown command " << line.words[0] << "\n";
    status_ = 2;
    return true;
  }
  ResultCode c = ResultCode::Ok;
  try {
    c = command->handler(app_, line);
  } catch (const std::bad_alloc&) {
    // Memory ran out outside the long work's own guard: the command ends
    // with code 3 and the workspace keeps what it had.
    c = app_.Fail(ResultCode::LowMemory);
  } catch (const std::length_error&) {
    c = app_.Fail(ResultCode::LowMemory);
  }
  if (IsError(c)) status_ = std::max(status_, 1);
  return !line.quit;
}

}  // namespace tavrin
