#pragma once
#include <string>
#include <vector>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// One item of the View and One-matrix menus per letter that holds a
// matrix in the current mode.
struct LetterItem {
  int letter;        // 1..26
  std::string text;  // "A ..."
  int viewId;        // the View menu's command id
  int oneMatrixId;   // the One-matrix menu's command id
};
std::vector<LetterItem> LetterItems(const Application& app);

// View menu letter item: shows the letter's window, or creates a 3x3 zero
// matrix under an empty letter (as New with zeros would).
ResultCode View(Application& app, int letter);
// The One-matrix report of the letter: its title ("calculations for A")
// and text. A letter without a matrix does nothing (Stopped); a stopped report
// (S) keeps what it had found.
ResultCode Report(Application& app, int letter, std::string& title, std::string& text);

// Console: `report L` (prints the title line and the report), `list`.
ResultCode ReportLine(Application& app, CommandLine& line);
ResultCode ListLine(Application& app, CommandLine& line);

}  // namespace tavrin
