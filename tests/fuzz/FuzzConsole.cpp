// Whole console lines, one session per input: every line of the input runs
// as tavrin-console would run it. Commands that write or read named files
// are left out, so the fuzzer touches nothing outside.
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "console/ConsoleSession.h"

using namespace tavrin;

namespace {
bool TouchesFiles(const std::string& line) {
  std::istringstream words(line);
  std::string first;
  words >> first;
  for (char& ch : first) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return first == "save" || first == "tex" || first == "steps" || first == "open" || first == "quit";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 2000) return 0;
  fuzz::StopLongWork();
  std::string text(reinterpret_cast<const char*>(data), size);
  std::ostringstream out;
  ConsoleSession session(out);
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (TouchesFiles(line)) continue;
    if (!session.RunLine(line, in)) break;
  }
  return 0;
}
