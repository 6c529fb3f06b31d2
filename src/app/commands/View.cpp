#include "app/commands/View.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandLine.h"
#include "app/commands/CommandSupport.h"
#include "core/Interrupt.h"
#include "core/StringTable.h"
#include "core/VisitEntries.h"
#include "engine/OneMatrixReport.h"

namespace tavrin {

std::vector<LetterItem> LetterItems(const Application& app) {
  std::vector<LetterItem> items;
  for (int letter = 1; letter <= 26; ++letter) {
    if (!app.workspace().Lookup(app.mode(), letter)) continue;
    items.push_back({letter, std::string(1, static_cast<char>('A' + letter - 1)) + " ...",
                     command_id::kViewFirst + letter - 1, command_id::kOneMatrixFirst + letter - 1});
  }
  return items;
}

ResultCode View(Application& app, int letter) {
  if (letter < 1 || letter > 26) return ResultCode::Stopped;
  Workspace& ws = app.workspace();
  if (MatrixDocument* doc = ws.Lookup(letter)) {
    ws.Show(*doc);
    return ResultCode::Ok;
  }
  // An empty letter gets a new 3x3 zero matrix, as New with zeros would.
  return app.mode() == Mode::Integer ? Store(app, letter, IntegerMatrix(3, 3), String(str::kZeros))
                                     : Store(app, letter, ComplexMatrix(3, 3), String(str::kZeros));
}

ResultCode Report(Application& app, int letter, std::string& title, std::string& text) {
  MatrixDocument* doc = app.workspace().Lookup(letter);
  if (!doc) return ResultCode::Stopped;  // a letter without a matrix does nothing
  ReportFormat f;
  f.places = doc->format.places;
  f.width = doc->format.width;
  f.minusOn = doc->format.minusOn;
  f.minusCode = doc->format.minusCode;
  const ResultCode c = VisitEntries(*doc, [&](const auto& entries, auto... kind) {
    const auto copy = entries;  // the work has a copy of the matrix (see SnapshotLookup)
    return app.RunLong(
        [&] {
          text = OneMatrixReport(copy, kind..., f, app.interrupt());
          return ResultCode::Ok;
        },
        sizeof...(kind) == 0 ? 'Q' : 'S');  // the exact report stops at Q only
  });
  if (IsError(c)) {
    text.clear();
    return app.Fail(c);
  }
  title = String(str::kCalculationsFor);
  title.back() = doc->letterChar();
  return ResultCode::Ok;
}

ResultCode ReportLine(Application& app, CommandLine& line) {
  int letter = 0;
  if (line.size() != 2 || !line.Letter(1, letter)) return line.Usage();
  std::string title, text;
  ResultCode c = Report(app, letter, title, text);
  if (IsOk(c)) line.out << title << "\n" << WithLf(text);
  return c;
}

ResultCode ListLine(Application& app, CommandLine& line) {
  for (const LetterItem& item : LetterItems(app)) {
    const MatrixDocument* doc = app.workspace().Lookup(item.letter);
    line.out << static_cast<char>('A' + item.letter - 1) << " " << doc->rows() << " x " << doc->cols() << "\n";
  }
  return ResultCode::Ok;
}

}  // namespace tavrin
