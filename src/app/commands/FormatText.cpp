#include "app/commands/FormatText.h"

#include <cstdio>

#include "app/commands/CommandLine.h"
#include "core/Fraction.h"
#include "core/VisitEntries.h"
#include "io/DisplayFormat.h"

namespace tavrin {

ResultCode ApplyFormat(Application& app, MatrixDocument& doc, const FormatChoice& choice) {
  // The io layer reads the mask to know which texts count.
  const int32_t mask = doc.format.dialogMask;
  if (choice.shownMask >= 0) doc.format.dialogMask = choice.shownMask;
  ResultCode c = ApplyFormatDialog(doc.format, choice.places, choice.width, choice.scientific, choice.replaceE,
                                   choice.tableChoice);
  doc.format.dialogMask = mask;
  if (IsError(c)) return app.Fail(c);
  app.port().DocumentChanged(doc);
  return ResultCode::Ok;
}

ResultCode ApplyFormat(Application& app, MatrixDocument& doc, const std::string& placesText,
                       const std::string& widthText, bool scientific) {
  return ApplyFormat(app, doc, {placesText, widthText, scientific, doc.format.replaceE, doc.format.tableChoice, -1});
}

ResultCode ApplyHyphen(Application& app, MatrixDocument& doc, const std::string* codeText) {
  bool repaint = false;
  ResultCode c = ApplyHyphenDialog(doc.format, codeText, &repaint);
  if (IsError(c)) return app.Fail(c);
  if (repaint) app.port().DocumentChanged(doc);
  return ResultCode::Ok;
}

ResultCode TextOutOf(const MatrixDocument& doc, std::string& text) {
  return VisitEntries(doc, [&](const auto& m, auto... kind) { return TextOut(doc.format, m, kind..., text); });
}

std::string ValuesText(const MatrixDocument& doc) {
  std::string out;
  char buf[128];
  for (int i = 0; i < doc.rows(); ++i) {
    for (int j = 0; j < doc.cols(); ++j) {
      if (j) out += ' ';
      if (doc.isInteger()) {
        Fraction f{doc.q.at(i, j), doc.q.denominator};
        (void)Reduce(f);
        out += f.ToString();
      } else if (doc.kind() == MatrixKind::Complex) {
        std::snprintf(buf, sizeof buf, "%.21Lg,%.21Lg", doc.z.at(i, j).re, doc.z.at(i, j).im);
        out += buf;
      } else {
        std::snprintf(buf, sizeof buf, "%.21Lg", doc.z.at(i, j).re);
        out += buf;
      }
    }
    out += '\n';
  }
  return out;
}

ResultCode PrintDocument(Application& app, std::ostream& out, const MatrixDocument& doc, const std::string& title) {
  std::string text;
  ResultCode c = TextOutOf(doc, text);
  // A matrix whose text would pass the text window's limit is refused as
  // the desktop refuses it, never passed over in silence.
  if (IsError(c)) return app.Fail(c);
  out << title << "\n" << WithLf(text);
  return ResultCode::Ok;
}

ResultCode PrintCompanion(Application& app, std::ostream& out, const MatrixDocument& doc) {
  if (ResultCode c = PrintDocument(app, out, doc, doc.title); NotOk(c)) return c;
  if (doc.highlightRow >= 0 && doc.highlightCol >= 0)
    out << "highlight " << doc.highlightRow + 1 << " " << doc.highlightCol + 1 << "\n";
  else
    out << "highlight none\n";
  return ResultCode::Ok;
}

ResultCode ShowLine(Application& app, CommandLine& line) {
  if (line.size() != 2) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  return PrintDocument(app, line.out, *doc, "matrix " + std::string(1, doc->letterChar()));
}

ResultCode ValuesLine(Application& app, CommandLine& line) {
  if (line.size() != 2) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  line.out << ValuesText(*doc);
  return ResultCode::Ok;
}

ResultCode NotesLine(Application& app, CommandLine& line) {
  if (line.size() != 2) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  std::string text = WithLf(doc->notebook);
  line.out << text;
  if (text.empty() || text.back() != '\n') line.out << "\n";
  return ResultCode::Ok;
}

ResultCode FormatLine(Application& app, CommandLine& line) {
  if (line.size() < 3) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  // Integer windows' dialog shows the width only.
  const bool integer = doc->isInteger();
  const std::string places = integer ? std::to_string(doc->format.places) : line[2];
  const std::string width = integer ? line[2] : (line.size() > 3 ? line[3] : "");
  bool sci = false;
  const size_t next = integer ? 3 : 4;
  if (line.size() > next) {
    if (line.Lower(next) != "sci") return line.Usage();
    sci = true;
  }
  if (!integer && line.size() < 4) return line.Usage();
  return ApplyFormat(app, *doc, places, width, sci);
}

ResultCode MinusLine(Application& app, CommandLine& line) {
  if (line.size() != 3) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  if (line.Lower(2) == "off") return ApplyHyphen(app, *doc, nullptr);
  return ApplyHyphen(app, *doc, &line[2]);
}

}  // namespace tavrin
