#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/Application.h"
#include "app/MatrixDocument.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The matrix window's editing commands on its document: entry edits and the
// Edit menu's structural commands, each recorded for Undo.
//
// Reporting: every operation returns 0 when the document changed; it then
// has `modified` set and the port has been told (DocumentChanged). A
// positive code is an error reported once through port.ShowCode and the
// document is exactly as it was. A negative code means nothing was done
// and nothing reported (Undo with an empty history). Texts are read as the
// dialogs read them (leading decimal number, else 0); row and column
// numbers in texts are 1-based, those of the functions 0-based.

// The text an entry edit box opens with: the entry at full precision, the
// shortest text that reads back to the same value ("0.9685205", "1.5e-07",
// "2-0.5i"), integers with all their digits. Row -1 is the denominator.
std::string EntryEditText(const MatrixDocument& doc, int row, int col);

// Accept step of an entry edit box at (row, col). Real and complex: the text
// is read by the entry reader (empty: 9; not one number: 101); a real
// document refuses a value with an imaginary part (101). Integer: the
// integer entry reading (nothing to read: 2; not an integer: 109). Clears
// `editing` in every case.
ResultCode EditEntry(Application& app, MatrixDocument& doc, int row, int col, const std::string& text);
// Enter in an edit box that opened with `shown`: an unchanged text changes
// nothing (no undo step, no modified mark) and returns 0; otherwise
// EditEntry, or EditDenominator for row -1.
ResultCode AcceptEntryEdit(Application& app, MatrixDocument& doc, int row, int col, const std::string& shown,
                           const std::string& typed);
// The integer common denominator: 0 is refused with 14; a negative value
// flips the sign of every entry and is stored positive (Undo gives back
// the denominator and the entries' signs).
ResultCode EditDenominator(Application& app, MatrixDocument& doc, const std::string& text);

// Edit | Dimensions: a zero matrix of the new size (integer: denominator 1).
// Code 17 outside 1.. or beyond 1000000 entries.
ResultCode SetDimensions(Application& app, MatrixDocument& doc, const std::string& rowsText,
                         const std::string& colsText);
// Edit | Remove rows / columns: the range between the two numbers in either
// order. 17 outside 1..count, 25 when the range covers every row (column).
ResultCode RemoveRows(Application& app, MatrixDocument& doc, const std::string& firstText,
                      const std::string& lastText);
ResultCode RemoveColumns(Application& app, MatrixDocument& doc, const std::string& firstText,
                         const std::string& lastText);
// Edit | Insert row / column: a zero row (column) that becomes number n,
// 1 <= n <= count + 1, else 17.
ResultCode InsertRow(Application& app, MatrixDocument& doc, const std::string& numberText);
ResultCode InsertColumn(Application& app, MatrixDocument& doc, const std::string& numberText);
// Edit | Exchange rows / columns: two different numbers in 1..count, else 17.
ResultCode ExchangeRows(Application& app, MatrixDocument& doc, const std::string& firstText,
                        const std::string& secondText);
ResultCode ExchangeColumns(Application& app, MatrixDocument& doc, const std::string& firstText,
                           const std::string& secondText);
// Reverses the newest recorded step and moves it to the redo history; Stopped
// (silent) when there is none. A step that no longer fits the matrix (it
// never should) empties both histories instead of touching the entries.
ResultCode Undo(Application& app, MatrixDocument& doc);
// Makes the newest undone step again and moves it back to the undo history.
ResultCode Redo(Application& app, MatrixDocument& doc);

// Autofeed: the entry after (row, col) along rows (colByCol false) or down
// columns (colByCol true); none after the last entry.
std::optional<std::pair<int, int>> NextAutofeedEntry(int row, int col, int rows, int cols, bool colByCol);
// The first visible index that brings `index` into view: past the visible
// range it advances by a page (at most to count - visible), before it the
// index itself becomes the first; otherwise `first` is kept.
int ScrollIntoView(int index, int first, int visible, int count);

// Console: `enter L ROWS COLS [DENOM]` (then ROWS lines of entry texts),
// `edit L ROW COL TEXT` / `edit L denom TEXT`, and the Edit commands
// `undo L`, `redo L`, `dims L R C`, `remove-rows L A B`, `remove-cols L A B`,
// `insert-row L N`, `insert-col L N`, `swap-rows L A B`, `swap-cols L A B`.
ResultCode EnterLine(Application& app, CommandLine& line);
ResultCode EditLine(Application& app, CommandLine& line);
ResultCode UndoLine(Application& app, CommandLine& line);
ResultCode RedoLine(Application& app, CommandLine& line);
ResultCode DimensionsLine(Application& app, CommandLine& line);
ResultCode RemoveRowsLine(Application& app, CommandLine& line);
ResultCode RemoveColumnsLine(Application& app, CommandLine& line);
ResultCode InsertRowLine(Application& app, CommandLine& line);
ResultCode InsertColumnLine(Application& app, CommandLine& line);
ResultCode ExchangeRowsLine(Application& app, CommandLine& line);
ResultCode ExchangeColumnsLine(Application& app, CommandLine& line);

}  // namespace tavrin
