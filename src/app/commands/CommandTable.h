#pragma once
#include <span>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// A command's line handler: reads its words, runs the command, prints
// what the command shows. It returns the command's code (positive: an
// error, reported once).
using LineHandler = ResultCode (*)(Application& app, CommandLine& line);

// When a menu item is enabled.
enum class Enabling {
  Always,
  ClipboardText,  // the clipboard holds text
  ModeCreated,    // the current mode's workspace has held a matrix
  LetterHeld,     // the item's letter holds a matrix in the current mode
  UndoHistory,    // the document has a step to undo
  TwoRows,        // the document has at least two rows
  TwoColumns,     // ... columns
};

// One command: the menu ids that run it (0: none; id..lastId for the View
// and One-matrix letters), the console's word (nullptr: menus only), its
// usage as `help` lists it, and its line handler. A usage that goes on the
// line of the entry before it is joined to it with " | ".
struct CommandEntry {
  int id;
  int lastId;
  const char* name;
  const char* usage;
  LineHandler handler;
  Enabling enabling = Enabling::Always;
  bool sameHelpLine = false;
  bool checkable = false;  // a mode item, or "White backgrounds"
};

// Every command, in the order `help` lists them.
std::span<const CommandEntry> CommandTable();
// By the console's word, case-insensitive; nullptr when there is none.
const CommandEntry* FindCommand(std::string_view word);
// By a menu id; nullptr when no entry names it.
const CommandEntry* FindCommandById(int id);
// The `help` text: the usages in table order, one line each, LF ends.
std::string HelpText();

// Whether the main frame's menu item is enabled now (clipboardHasText for
// Paste), and whether it carries a check mark.
bool CommandEnabled(const Application& app, int id, bool clipboardHasText = true);
bool CommandChecked(const Application& app, int id);
// The same for a matrix window's item on its document.
bool DocumentCommandEnabled(const MatrixDocument& doc, int id);

}  // namespace tavrin
