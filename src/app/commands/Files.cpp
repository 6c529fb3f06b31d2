#include "app/commands/Files.h"

#include <cctype>
#include <filesystem>

#include "app/FileNames.h"
#include "app/commands/CommandLine.h"
#include "core/CLocale.h"
#include "core/StringTable.h"
#include "core/VisitEntries.h"
#include "io/AtomicFile.h"
#include "io/MatrixFile.h"
#include "io/TexExport.h"
#include "io/TextImport.h"

namespace tavrin {

namespace {

const char* FilterFor(MatrixKind kind) {
  switch (kind) {
    case MatrixKind::Complex: return String(str::kComplexFilter);
    case MatrixKind::Integer: return String(str::kIntegerFilter);
    default: return String(str::kRealFilter);
  }
}

// The look of a document that takes what its file carried: the format
// values (the width then recomputed from the entries), appearance, version.
DocumentLook FileLook(const DisplayFormat& current, const MatrixFileData& data) {
  DocumentLook look;
  look.format = current;
  look.format.width = data.format.width;
  look.format.places = data.format.places;
  look.format.scientific = data.format.scientific;
  look.format.width = VisitEntries(data.kind, data.integer, data.complex, [&](const auto& m, auto... kind) {
    return AutoWidth(look.format, m, kind...);
  });
  look.appearance = data.appearance;
  look.fileVersion = data.version;
  return look;
}

MatrixFileData FileDataOf(const MatrixDocument& doc) {
  MatrixFileData data;
  data.kind = doc.kind();
  if (doc.isInteger())
    data.integer = doc.q;
  else
    data.complex = doc.z;
  data.format = doc.format;
  data.appearance = doc.appearance;
  data.notebook = doc.notebook;
  return data;
}

ResultCode OpenInto(Application& app, Mode m, const std::string& path) {
  Workspace& ws = app.workspace();
  const MatrixKind kind = KindOfMode(m);
  const int letter = ws.FindFreeLetter(m);
  if (letter == 0) return app.Fail(ResultCode::NoMoreRoom);
  // The file is read before anything is stored: a file that cannot be read
  // leaves the workspace as it was. What the file does not set (a palette
  // it does not carry) keeps a new window's defaults.
  MatrixFileData data;
  data.kind = kind;
  data.appearance = WindowAppearance::ForNewWindow(ws.whiteBackgrounds() ? -letter : letter);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec) || NotOk(ReadMatrixFile(path, kind, data)))
    return app.Fail(ResultCode::CannotOpenFile);
  const MatrixDocument* existing = ws.Lookup(m, letter);
  const DocumentLook look = FileLook(existing ? existing->format : WindowFormatFor(kind), data);
  MatrixDocument* doc = nullptr;
  // The entries move into the document: no second copy of them is made.
  ResultCode c = VisitEntries(kind, data.integer, data.complex, [&](auto& entries, auto...) {
    return ws.PutMatrix(m, path, letter, std::move(entries), &doc, &look);
  });
  if (NotOk(c)) return c;
  doc->fileName = path;
  doc->notebook = std::move(data.notebook);
  doc->modified = false;
  app.port().DocumentChanged(*doc);
  return ResultCode::Ok;
}

}  // namespace

ResultCode Open(Application& app, const std::string& givenPath) {
  if (app.workspace().FindFreeLetter() == 0) return app.Fail(ResultCode::NoMoreRoom);
  std::string path = givenPath;
  MatrixKind kind = KindOfMode(app.mode());
  if (path.empty()) {
    std::string initial = std::string("noname.") + Extension(kind);
    if (!app.port().ChooseFile(false, FilterFor(kind), initial, path) || path.empty()) return ResultCode::Stopped;
  }
  return OpenInto(app, app.mode(), path);
}

ResultCode OpenByName(Application& app, const std::string& path) {
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.size() - dot - 1 != 3) return ResultCode::Stopped;
  std::string ext = path.substr(dot + 1);
  for (auto& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (ext == "FMA") return OpenInto(app, Mode::Real, path);
  if (ext == "CMA") return OpenInto(app, Mode::Complex, path);
  if (ext == "IMA") return OpenInto(app, Mode::Integer, path);
  return ResultCode::Stopped;
}

ResultCode Paste(Application& app, const std::string& text) {
  if (text.empty()) return app.Fail(ResultCode::CouldNotFind);
  ComplexMatrix m;
  ResultCode c = ImportText(text, m);
  if (NotOk(c)) {
    if (c == ResultCode::LowMemory) app.port().ShowCode(c);
    return app.Fail(ResultCode::InconsistentData);
  }
  return app.workspace().PutMatrix(Mode::Real, "", 0, m, nullptr);
}

ResultCode Save(Application& app, MatrixDocument& doc, const std::string& givenPath, bool saveAs) {
  UserPort& port = app.port();
  std::string path = givenPath;
  if (path.empty()) {
    if (saveAs || doc.fileName.empty()) {
      std::string initial = doc.fileName.empty() ? doc.defaultFileName : doc.fileName;
      if (!port.ChooseFile(true, FilterFor(doc.kind()), initial, path) || path.empty()) return ResultCode::Stopped;
      path = WithDefaultExtension(path, Extension(doc.kind()));
      saveAs = true;
    } else {
      path = doc.fileName;
    }
  }
  std::error_code ec;
  if (saveAs && std::filesystem::exists(path, ec)) {
    if (port.Ask(String(str::kOverwrite), true) != Answer::Yes) return ResultCode::Stopped;
  }
  if (std::filesystem::is_directory(path, ec) || NotOk(WriteMatrixFile(path, FileDataOf(doc))))
    return app.Fail(ResultCode::CannotSaveFile);
  doc.fileName = path;
  doc.modified = false;
  port.DocumentChanged(doc);
  return ResultCode::Ok;
}

ResultCode ExportTex(Application& app, const MatrixDocument& doc, const std::string& path, int form,
                     const TexOptions& options, bool askOverwrite) {
  std::error_code ec;
  if (askOverwrite && std::filesystem::exists(path, ec) && app.port().Ask(String(str::kOverwrite), true) != Answer::Yes)
    return ResultCode::Stopped;
  const std::string text = VisitEntries(doc, [&](const auto& m, auto... kind) {
    switch (form) {
      case 0: return TexMatrix(doc.format, kind..., m, options);
      case 1: return TexTable(doc.format, kind..., m, options);
      case 2: return LatexArray(doc.format, kind..., m, options);
      default: return LatexTabular(doc.format, kind..., m, options);
    }
  });
  // A file that cannot be written is reported rather than passed over in silence.
  if (std::filesystem::is_directory(path, ec) || !WriteFileAtomically(path, text)) return app.Fail(ResultCode::CannotSaveFile);
  app.port().ShowNotice("TeX file saved");
  return ResultCode::Ok;
}

bool RequestClose(Application& app) {
  Workspace& ws = app.workspace();
  UserPort& port = app.port();
  if (!ws.AnyModified()) return true;
  if (port.Ask(String(str::kSaveRequests), false) != Answer::Yes) {
    ws.lp().modified = false;
    ws.echelon().modified = false;
    ws.operations().modified = false;
    return true;
  }
  bool cancelled = false;
  ws.ForEachInClosingOrder([&](MatrixDocument& doc) {
    if (cancelled || !doc.modified) return;
    std::string name = doc.fileName.empty() ? doc.defaultFileName : doc.fileName;
    switch (port.Ask(std::string(String(str::kSaveChangesTo)) + name, true)) {
      // A save that was cancelled or failed keeps the program open: closing
      // now would lose the matrix the user just asked to keep.
      case Answer::Yes: cancelled = Save(app, doc) != ResultCode::Ok; break;
      case Answer::No: break;
      case Answer::Cancel: cancelled = true; break;
    }
  });
  return !cancelled;
}

ResultCode OpenLine(Application& app, CommandLine& line) {
  const std::string path = line.Rest(1);
  if (path.empty()) return line.Usage();
  return OpenByName(app, path);
}

ResultCode SaveLine(Application& app, CommandLine& line) {
  if (line.size() < 2) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  const std::string path = line.Rest(2);
  return path.empty() ? Save(app, *doc) : Save(app, *doc, path, true);
}

ResultCode TexLine(Application& app, CommandLine& line) {
  if (line.size() < 4) return line.Usage();
  MatrixDocument* doc = line.Document(app, 1);
  if (!doc) return line.Missing(1);
  static const char* const kForms[] = {"matrix", "table", "array", "tabular"};
  int form = -1;
  for (int i = 0; i < 4; ++i)
    if (line.Lower(3) == kForms[i]) form = i;
  if (form < 0) return line.Usage();
  TexOptions options;
  for (size_t i = 4; i < line.size(); ++i) {
    const std::string o = line.Lower(i);
    if (o == "none") options.delimiter = 0;
    else if (o == "paren") options.delimiter = 1;
    else if (o == "bracket") options.delimiter = 2;
    else if (o == "bar") options.delimiter = 3;
    else if (o == "left") options.alignment = 0;
    else if (o == "centre" || o == "center") options.alignment = 1;
    else if (o == "right") options.alignment = 2;
    else options.spacerFactor = StrToLongDoubleC(line[i].c_str(), nullptr);
  }
  return ExportTex(app, *doc, line[2], form, options);
}

ResultCode PasteLine(Application& app, CommandLine& line) {
  std::string text, next;
  while (line.nextLine(next)) {
    std::string bare = next;
    if (!bare.empty() && bare.back() == '\r') bare.pop_back();
    if (bare == ".") break;
    text += next;
    text += '\n';
  }
  return Paste(app, text);
}

}  // namespace tavrin
