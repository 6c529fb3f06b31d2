#pragma once
#include <ostream>
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// What the format dialog holds when OK is pressed: the texts as typed,
// the check boxes, and the mask of the boxes its template shows (-1: the
// document's own); texts of hidden boxes are ignored.
struct FormatChoice {
  std::string places, width;
  bool scientific = false, replaceE = false, tableChoice = false;
  int32_t shownMask = -1;
};
// The format dialog's OK on a document. Codes 17 and 6 leave the format
// unchanged.
ResultCode ApplyFormat(Application& app, MatrixDocument& doc, const FormatChoice& choice);
// The same with the document's "replace E" and table choice kept.
ResultCode ApplyFormat(Application& app, MatrixDocument& doc, const std::string& placesText,
                       const std::string& widthText, bool scientific);
// Hyphen to minus: OK with a code text (17 outside 32..255), or Cancel
// (nullptr) which turns the substitution off.
ResultCode ApplyHyphen(Application& app, MatrixDocument& doc, const std::string* codeText);
// The "Text out" text of a document, CR LF line ends (code 4 beyond 64000
// characters).
ResultCode TextOutOf(const MatrixDocument& doc, std::string& text);
// Every entry at full precision, one matrix row per line (LF), entries
// separated by one blank: real entries as printf "%.21Lg", complex ones as
// "RE,IM", integer ones as the reduced fraction entry / denominator.
std::string ValuesText(const MatrixDocument& doc);

// A window's text as the console shows it: the title line, then the "Text
// out" text with LF line ends. A text beyond the text window's limit is
// reported (code 4) and nothing is printed.
ResultCode PrintDocument(Application& app, std::ostream& out, const MatrixDocument& doc, const std::string& title);
// A companion window: PrintDocument with its title, then "highlight R C"
// (1-based) or "highlight none".
ResultCode PrintCompanion(Application& app, std::ostream& out, const MatrixDocument& doc);

// Console: `show L`, `values L`, `notes L`, `format L PLACES WIDTH [sci]`,
// `minus L CODE|off`.
ResultCode ShowLine(Application& app, CommandLine& line);
ResultCode ValuesLine(Application& app, CommandLine& line);
ResultCode NotesLine(Application& app, CommandLine& line);
ResultCode FormatLine(Application& app, CommandLine& line);
ResultCode MinusLine(Application& app, CommandLine& line);

}  // namespace tavrin
