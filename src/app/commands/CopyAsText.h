#pragma once
#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/MatrixDocument.h"
#include "core/ResultCode.h"

namespace tavrin {

// The matrix window's "Copy as" texts, LF line ends: the "Text out" text,
// and the texts for other tools (io/CopyAs.h).
enum class CopyAsKind { Text, Csv, Tsv, Markdown, Latex, NumPy, Matlab };

struct CopyAsItem {
  CopyAsKind kind;
  const char* word;  // the console's word: "text", "csv", ...
  const char* menu;  // the menu item
};
// In menu order.
const CopyAsItem* CopyAsItems(int& count);
// By the console's word, case-insensitive; false when unknown.
bool CopyAsKindOf(std::string_view word, CopyAsKind& kind);

// The text of the whole document, or of the block of rows r0..r1 and
// columns c0..c1 (0-based, inclusive). Code 4 when the "Text out" text is
// too large.
ResultCode CopyAsText(const MatrixDocument& doc, CopyAsKind kind, std::string& out);
ResultCode CopyAsText(const MatrixDocument& doc, CopyAsKind kind, int r0, int c0, int r1, int c1, std::string& out);

struct CommandLine;
// Console: `copyas L text|csv|...` prints the text (usage and missing letter
// as every line command; code 4 reported once when the text is too large).
ResultCode CopyAsLine(Application& app, CommandLine& line);

}  // namespace tavrin
