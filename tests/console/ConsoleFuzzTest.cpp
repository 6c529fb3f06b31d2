#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console/ConsoleSession.h"
#include "core/Random.h"

namespace tavrin {
namespace {

// Random command lines built from the console's own words never crash it
// and never leave it unable to take the next line.
TEST(ConsoleFuzz, RandomLinesAreHandled) {
  const char* words[] = {"mode", "real", "complex", "integer", "enter", "new", "calc", "solve", "show",
                         "values", "report", "notes", "format", "minus", "edit", "undo", "dims",
                         "remove-rows", "remove-cols", "insert-row", "insert-col", "swap-rows",
                         "swap-cols", "echelon", "lp", "oper", "rows", "columns", "multiply", "add",
                         "swap", "step", "final", "reset", "find", "max", "min", "A", "B", "C", "Z",
                         "zeros", "random", "diagonal", "probrows", "probcols", "=", "A*B", "A^-1",
                         "(((", "0", "1", "2", "-3", "1000001", "99999999999", "x", "@A", "denom",
                         "copycol", "rotate2d", "rotate3d", "pythrot", "project", "reflect",
                         "unimodular", "formula", "sin(i*j)", "list", "echo", "white", "on", "seed",
                         "answer", "no", "cancel", "tex", "matrix", "table", "sci", "off", "#"};
  const int n = sizeof(words) / sizeof(words[0]);
  RandomGenerator g;
  g.Seed(4242);
  std::ostringstream out;
  ConsoleSession session(out);
  std::istringstream none;
  for (int i = 0; i < 3000; ++i) {
    std::string line;
    int count = 1 + g.Next() % 7;
    for (int k = 0; k < count; ++k) {
      if (k) line += ' ';
      line += words[g.Next() % n];
    }
    if (line.rfind("tex", 0) == 0 || line.rfind("save", 0) == 0) continue;  // no files from a fuzz test
    if (line == "quit") continue;
    EXPECT_TRUE(session.RunLine(line, none)) << line;
  }
  // Random bytes, too.
  for (int i = 0; i < 2000; ++i) {
    std::string line;
    int len = g.Next() % 60;
    for (int k = 0; k < len; ++k) line.push_back(static_cast<char>(1 + g.Next() % 255));
    if (line.find("tex") != std::string::npos || line.find("save") != std::string::npos) continue;
    session.RunLine(line, none);
  }
  std::ostringstream check;
  ConsoleSession fresh(check);
  fresh.RunLine("echo alive", none);
  EXPECT_EQ(check.str(), "alive\n");
  EXPECT_GE(session.status(), 1);
}

}  // namespace
}  // namespace tavrin
