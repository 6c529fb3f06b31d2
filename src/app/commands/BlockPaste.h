#pragma once
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MatrixDocument.h"
#include "core/ResultCode.h"

namespace tavrin {

// A block of texts as a spreadsheet puts it on the clipboard: lines, and in
// each line cells split at tabs (or, in a line without tabs, at commas).
// A last empty line is left out.
std::vector<std::vector<std::string>> SplitBlock(const std::string& text);

// Pastes a block into the document with its top left entry at (row, col)
// (0-based), as one step of the editing history. Cells are read as the
// entry editor reads them; an integer matrix also takes "p/q" when the
// fraction times the common denominator is whole. Cells beyond the matrix
// are left out, empty cells keep their entries. Code 2 (could not find) when the block is empty; a cell the
// reader refuses gives its code and changes nothing.
ResultCode PasteBlock(Application& app, MatrixDocument& doc, int row, int col, const std::string& text);

}  // namespace tavrin
