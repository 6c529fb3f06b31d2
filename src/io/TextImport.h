#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/Matrix.h"
#include "core/ResultCode.h"

namespace tavrin {

// The Paste scanner: every maximal run of '-', '.' and digits is an entry,
// with an exponent written right after it ("1.5e-3" is one entry), a line
// feed ends a row, rows without entries are skipped, short rows are padded
// with zeros, and each field converts by its longest valid decimal prefix
// ("1.5.2" is 1.5, "3-4" is 3, a lone "-" is 0). Everything else separates
// fields. A first line without a number ("x,y", names such as "x1 x2") is
// a header and is skipped when lines with entries follow. Returns Ok with a real matrix (im = 0); code 2 for an
// empty text, 6 when no field was found, 3 when the matrix cannot be
// allocated (the caller then reports 6 as well).
ResultCode ImportText(std::string_view text, ComplexMatrix& out);

// Opening by name: the mode named by a 3-character extension (FMA, CMA, IMA
// in any case), or none for any other path, which is then ignored.
std::optional<Mode> ModeForPath(const std::string& path);

// How ImportTable read a text.
struct TableImportInfo {
  bool table = false;          // read as a table; otherwise by the Paste scanner
  char delimiter = ' ';        // '\t', ',', ';' or ' ' (runs of blanks)
  bool headerSkipped = false;  // the first line held names, not numbers
};

// For text copied from spreadsheets and other tools: when every line is a
// row of complete numbers (exponents such as 1.5e3 allowed, also "inf" and
// "nan") separated by tabs, commas, semicolons or blanks, possibly below a
// header line of names, the text is read as that table (empty fields are 0,
// short rows padded with zeros). Any other text goes to the Paste scanner.
ResultCode ImportTable(std::string_view text, ComplexMatrix& out, TableImportInfo* info = nullptr);

}  // namespace tavrin
