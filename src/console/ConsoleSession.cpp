#include "console/ConsoleSession.h"

#include <signal.h>

#include <algorithm>
#include <ctime>
#include <atomic>
#include <functional>
#include <cctype>
#include <cstdio>
#include <new>
#include <sstream>
#include <stdexcept>

#include "core/CLocale.h"
#include "core/Fraction.h"
#include "core/PollKey.h"
#include "core/Random.h"
#include "core/StringTable.h"
#include "app/CopyAsText.h"
#include "app/DocumentEditing.h"
#include "app/Generators.h"
#include "io/DisplayFormat.h"
#include "io/TexExport.h"

namespace tavrin {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

// LF line ends for the terminal: texts built with CR LF lose the CR.
std::string WithLf(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

const char* const kHelp =
    "mode real|complex|integer\n"
    "seed N\n"
    "answer yes|no|cancel\n"
    "white on|off\n"
    "enter L ROWS COLS [DENOM]   (then ROWS lines of COLS entries)\n"
    "new L zeros|random|diagonal|probrows|probcols ROWS COLS [LOW HIGH | VALUE]\n"
    "calc L = TEXT\n"
    "solve M B X K | solve M zeros X K\n"
    "copycol L SRC COLTEXT\n"
    "rotate2d L DEG\n"
    "rotate3d L X Y Z DEG | rotate3d L @A DEG\n"
    "pythrot L X Y Z P Q   (either triple or pair may be @A)\n"
    "project L AXIS | reflect L AXIS\n"
    "unimodular L N\n"
    "formula L ROWS COLS TEXT\n"
    "show L\n"
    "values L\n"
    "report L\n"
    "notes L\n"
    "format L PLACES WIDTH [sci]\n"
    "minus L CODE|off\n"
    "edit L ROW COL TEXT | edit L denom TEXT\n"
    "undo L | redo L | dims L R C | remove-rows L A B | remove-cols L A B\n"
    "insert-row L N | insert-col L N | swap-rows L A B | swap-cols L A B\n"
    "copyas L text|csv|tsv|markdown|latex|numpy|matlab\n"
    "echelon L final|reset|step\n"
    "echelon-save L\n"
    "lp max|min F B C find|step|reset\n"
    "lp-save L\n"
    "oper reset L | oper rows|columns multiply K FACTOR | oper rows|columns add S T FACTOR\n"
    "oper rows|columns swap A B | oper undo | oper show\n"
    "steps echelon|oper|lp PATH\n"
    "open PATH\n"
    "save L [PATH]\n"
    "tex L PATH matrix|table|array|tabular [none|paren|bracket|bar] [left|centre|right] [FACTOR]\n"
    "paste   (then lines up to a line holding only .)\n"
    "echo TEXT\n"
    "list\n"
    "help\n"
    "quit\n";

}  // namespace

std::string RestOfLine(const std::string& line, int skip) {
  size_t pos = 0;
  for (int i = 0; i < skip; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) return std::string();
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return std::string();
  }
  pos = line.find_first_not_of(" \t", pos);
  if (pos == std::string::npos) return std::string();
  return line.substr(pos);
}

namespace {

// Ctrl+C during long work answers the poll with the work's stop key;
// outside long work it ends the program as usual.
std::atomic<int> g_stopKey{'Q'};
extern "C" void OnInterrupt(int) { PostKey(g_stopKey.load()); }

ResultCode RunWithInterrupt(const std::function<ResultCode()>& work, int stopKey) {
  g_stopKey = stopKey;
  struct sigaction action {}, previous {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous);
  ResultCode c = work();
  sigaction(SIGINT, &previous, nullptr);
  return c;
}

}  // namespace

ConsoleSession::ConsoleSession(std::ostream& out) : out_(out), port_(out), app_(port_) {
  app_.SetLongWorkRunner(RunWithInterrupt);
  // As the desktop program does, the generator starts from the time; `seed`
  // makes a script repeatable.
  ProgramRandom().Seed(static_cast<uint32_t>(std::time(nullptr)));
}

bool ConsoleSession::Letter(const std::string& word, int& letter) {
  if (word.size() != 1 || !std::isalpha(static_cast<unsigned char>(word[0]))) return false;
  letter = std::toupper(static_cast<unsigned char>(word[0])) - 'A' + 1;
  return true;
}

MatrixDocument* ConsoleSession::Document(const std::string& word) {
  int letter = 0;
  if (!Letter(word, letter)) return nullptr;
  MatrixDocument* doc = app_.workspace().Lookup(letter);
  if (!doc) {
    port_.ShowCode(code::kMatrixNotFound);
    Failed();
  }
  return doc;
}

void ConsoleSession::Usage(const std::string& command) {
  out_ << "error: wrong arguments for " << command << "\n";
  Failed();
}

bool ConsoleSession::RunLine(const std::string& rawLine, std::istream& in) {
  std::string line = rawLine;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  Words w = SplitWords(line);
  if (w.empty() || w[0][0] == '#') return true;
  std::string command = Lower(w[0]);
  if (command == "quit") return false;
  try {
    Dispatch(command, w, line, in);
  } catch (const std::bad_alloc&) {
    // Memory ran out outside the long work's own guard: the command ends
    // with code 3 and the workspace keeps what it had.
    port_.ShowCode(code::kLowMemory);
    Failed();
  } catch (const std::length_error&) {
    port_.ShowCode(code::kLowMemory);
    Failed();
  }
  return true;
}

void ConsoleSession::Dispatch(const std::string& command, const Words& w, const std::string& line,
                              std::istream& in) {
  int letter = 0;
  if (command == "help") {
    out_ << kHelp;
  } else if (command == "echo") {
    out_ << RestOfLine(line, 1) << "\n";
  } else if (command == "mode") {
    std::string m = w.size() == 2 ? Lower(w[1]) : "";
    if (m == "real") Check(app_.SwitchMode(Mode::Real));
    else if (m == "complex") Check(app_.SwitchMode(Mode::Complex));
    else if (m == "integer") Check(app_.SwitchMode(Mode::Integer));
    else Usage(command);
  } else if (command == "seed") {
    if (w.size() != 2) return Usage(command);
    ProgramRandom().Seed(static_cast<uint32_t>(std::strtoul(w[1].c_str(), nullptr, 10)));
  } else if (command == "answer") {
    std::string a = w.size() == 2 ? Lower(w[1]) : "";
    if (a == "yes") port_.SetAnswer(Answer::Yes);
    else if (a == "no") port_.SetAnswer(Answer::No);
    else if (a == "cancel") port_.SetAnswer(Answer::Cancel);
    else Usage(command);
  } else if (command == "white") {
    std::string a = w.size() == 2 ? Lower(w[1]) : "";
    if (a != "on" && a != "off") return Usage(command);
    if ((a == "on") != app_.workspace().whiteBackgrounds()) app_.ToggleWhiteBackgrounds();
  } else if (command == "list") {
    for (const auto& item : app_.LetterItems()) {
      MatrixDocument* doc = app_.workspace().Lookup(item.letter);
      out_ << static_cast<char>('A' + item.letter - 1) << " " << doc->rows() << " x " << doc->cols() << "\n";
    }
  } else if (command == "calc") {
    if (w.size() < 3 || !Letter(w[1], letter) || w[2] != "=") {
      // "calc L =TEXT" and "calc L=TEXT" are accepted too.
      std::string rest = RestOfLine(line, 1);
      size_t eq = rest.find('=');
      if (eq == std::string::npos || !Letter(std::string(rest.substr(0, rest.find_first_of(" =\t"))), letter))
        return Usage(command);
      std::string text = rest.substr(eq + 1);
      text.erase(0, text.find_first_not_of(" \t"));
      return Check(app_.Calculate(letter, text));
    }
    Check(app_.Calculate(letter, RestOfLine(line, 3)));
  } else if (command == "solve") {
    int m = 0, b = 0, x = 0, k = 0;
    if (w.size() != 5 || !Letter(w[1], m) || !Letter(w[3], x) || !Letter(w[4], k)) return Usage(command);
    bool zeros = Lower(w[2]) == "zeros";
    if (!zeros && !Letter(w[2], b)) return Usage(command);
    Check(app_.Solve(m, b, x, k, zeros));
  } else if (command == "formula") {
    if (w.size() < 5 || !Letter(w[1], letter)) return Usage(command);
    Check(app_.Formula(letter, w[2], w[3], RestOfLine(line, 4)));
  } else if (command == "show") {
    if (w.size() != 2) return Usage(command);
    if (MatrixDocument* doc = Document(w[1])) PrintWindow(*doc, "matrix " + std::string(1, doc->letterChar()));
  } else if (command == "copyas") {
    CopyAsKind kind;
    if (w.size() != 3 || !CopyAsKindOf(w[2], kind)) return Usage(command);
    if (MatrixDocument* doc = Document(w[1])) {
      std::string text;
      const ResultCode c = CopyAsText(*doc, kind, text);
      if (c > 0) port_.ShowCode(c);
      Check(c);
      out_ << text;
    }
  } else if (command == "values") {
    if (w.size() != 2) return Usage(command);
    if (MatrixDocument* doc = Document(w[1])) PrintValues(*doc);
  } else if (command == "report") {
    if (w.size() != 2 || !Letter(w[1], letter)) return Usage(command);
    std::string title, text;
    ResultCode c = app_.Report(letter, title, text);
    Check(c);
    if (c == 0) out_ << title << "\n" << WithLf(text);
  } else if (command == "notes") {
    if (w.size() != 2) return Usage(command);
    if (MatrixDocument* doc = Document(w[1])) {
      std::string text = WithLf(doc->notebook);
      out_ << text;
      if (text.empty() || text.back() != '\n') out_ << "\n";
    }
  } else if (command == "format") {
    if (w.size() < 3) return Usage(command);
    MatrixDocument* doc = Document(w[1]);
    if (!doc) return;
    bool integer = doc->isInteger();
    std::string places = integer ? std::to_string(doc->format.places) : w[2];
    std::string width = integer ? w[2] : (w.size() > 3 ? w[3] : "");
    bool sci = false;
    size_t next = integer ? 3 : 4;
    if (w.size() > next) {
      if (Lower(w[next]) != "sci") return Usage(command);
      sci = true;
    }
    if (!integer && w.size() < 4) return Usage(command);
    Check(app_.ApplyFormat(*doc, places, width, sci));
  } else if (command == "minus") {
    if (w.size() != 3) return Usage(command);
    MatrixDocument* doc = Document(w[1]);
    if (!doc) return;
    if (Lower(w[2]) == "off") Check(app_.ApplyHyphen(*doc, nullptr));
    else Check(app_.ApplyHyphen(*doc, &w[2]));
  } else if (command == "enter") {
    Enter(w, in);
  } else if (command == "new") {
    New(w);
  } else if (command == "copycol" || command == "rotate2d" || command == "rotate3d" || command == "pythrot" ||
             command == "project" || command == "reflect" || command == "unimodular") {
    Generator(command, w);
  } else if (command == "edit" || command == "undo" || command == "redo" || command == "dims" || command == "remove-rows" ||
             command == "remove-cols" || command == "insert-row" || command == "insert-col" ||
             command == "swap-rows" || command == "swap-cols") {
    Edit(command, w, line);
  } else if (command == "echelon") {
    Echelon(w);
  } else if (command == "echelon-save") {
    if (w.size() != 2 || !Letter(w[1], letter)) return Usage(command);
    Check(app_.SaveEchelonAs(letter));
  } else if (command == "lp") {
    LinearProgram(w);
  } else if (command == "lp-save") {
    if (w.size() != 2 || !Letter(w[1], letter)) return Usage(command);
    Check(app_.SaveLpAs(letter));
  } else if (command == "oper") {
    Operations(w, line);
  } else if (command == "steps") {
    // steps echelon|oper|lp PATH: the companion window's "Save steps as LaTeX".
    std::string which = w.size() > 1 ? Lower(w[1]) : "";
    std::string path = RestOfLine(line, 2);
    Workspace& ws = app_.workspace();
    MatrixDocument* doc = which == "echelon" ? &ws.echelon() : which == "oper" ? &ws.operations()
                          : which == "lp"    ? &ws.lp()
                                             : nullptr;
    if (!doc || path.empty()) return Usage(command);
    Check(app_.SaveSteps(*doc, path));
  } else if (command == "open") {
    std::string path = RestOfLine(line, 1);
    if (path.empty()) return Usage(command);
    Check(app_.OpenByName(path));
  } else if (command == "save") {
    if (w.size() < 2) return Usage(command);
    MatrixDocument* doc = Document(w[1]);
    if (!doc) return;
    std::string path = RestOfLine(line, 2);
    Check(path.empty() ? app_.Save(*doc) : app_.Save(*doc, path, true));
  } else if (command == "tex") {
    Tex(w);
  } else if (command == "paste") {
    Paste(in);
  } else {
    out_ << "error: unknown command " << w[0] << "\n";
    status_ = 2;
  }
}

bool ConsoleSession::PrintWindow(MatrixDocument& doc, const std::string& title) {
  std::string text;
  ResultCode c = app_.TextOutOf(doc, text);
  if (c > 0) {
    // A matrix whose text would pass the text window's limit is refused
    // as the desktop refuses it, never passed over in silence.
    port_.ShowCode(c);
    Failed();
    return false;
  }
  out_ << title << "\n" << WithLf(text);
  return true;
}

void ConsoleSession::PrintCompanion(MatrixDocument& doc) {
  if (!PrintWindow(doc, doc.title)) return;
  if (doc.highlightRow >= 0 && doc.highlightCol >= 0)
    out_ << "highlight " << doc.highlightRow + 1 << " " << doc.highlightCol + 1 << "\n";
  else
    out_ << "highlight none\n";
}

void ConsoleSession::PrintValues(const MatrixDocument& doc) {
  char buf[128];
  for (int i = 0; i < doc.rows(); ++i) {
    for (int j = 0; j < doc.cols(); ++j) {
      if (j) out_ << " ";
      if (doc.isInteger()) {
        Fraction f{doc.q.at(i, j), doc.q.denominator};
        Reduce(f);
        out_ << f.ToString();
      } else if (doc.kind() == MatrixKind::Complex) {
        std::snprintf(buf, sizeof buf, "%.21Lg,%.21Lg", doc.z.at(i, j).re, doc.z.at(i, j).im);
        out_ << buf;
      } else {
        std::snprintf(buf, sizeof buf, "%.21Lg", doc.z.at(i, j).re);
        out_ << buf;
      }
    }
    out_ << "\n";
  }
}

void ConsoleSession::Paste(std::istream& in) {
  std::string text, line;
  while (std::getline(in, line)) {
    std::string bare = line;
    if (!bare.empty() && bare.back() == '\r') bare.pop_back();
    if (bare == ".") break;
    text += line;
    text += '\n';
  }
  Check(app_.Paste(text));
}

}  // namespace tavrin

namespace tavrin {

void ConsoleSession::New(const Words& w) {
  int letter = 0;
  if (w.size() < 5 || !Letter(w[1], letter)) return Usage("new");
  std::string type = Lower(w[2]);
  NewDialogTexts defaults = NewDialogDefaults(app_.mode());
  std::string low = defaults.low, high = defaults.high, value = defaults.value;
  NewType t;
  if (type == "zeros") t = NewType::Zeros;
  else if (type == "random") t = NewType::Random;
  else if (type == "diagonal") t = NewType::Diagonal;
  else if (type == "probrows") t = NewType::ProbabilityRows;
  else if (type == "probcols") t = NewType::ProbabilityColumns;
  else return Usage("new");
  if (t == NewType::Random) {
    if (w.size() > 5) low = w[5];
    if (w.size() > 6) high = w[6];
  } else if (t == NewType::Diagonal && w.size() > 5) {
    value = w[5];
  }
  Check(NewMatrix(app_.workspace(), letter, t, w[3], w[4], low, high, value));
}

void ConsoleSession::Generator(const std::string& command, const Words& w) {
  int letter = 0, other = 0;
  Workspace& ws = app_.workspace();
  if (w.size() < 2 || !Letter(w[1], letter)) return Usage(command);
  // "@A" names a matrix in place of typed components.
  auto at = [&](const std::string& word, int& l) { return word.size() == 2 && word[0] == '@' && Letter(word.substr(1), l); };
  if (command == "copycol") {
    if (w.size() != 4 || !Letter(w[2], other)) return Usage(command);
    Check(CopyColumn(ws, other, letter, w[3]));
  } else if (command == "rotate2d") {
    if (w.size() != 3) return Usage(command);
    Check(Rotate2D(ws, letter, w[2]));
  } else if (command == "rotate3d") {
    if (w.size() == 4 && at(w[2], other)) return Check(Rotate3D(ws, other, letter, "", "", "", w[3]));
    if (w.size() != 6) return Usage(command);
    Check(Rotate3D(ws, 0, letter, w[2], w[3], w[4], w[5]));
  } else if (command == "pythrot") {
    // pythrot L X Y Z P Q, where X Y Z or P Q may be replaced by @A.
    size_t i = 2;
    int axis = 0, angle = 0;
    std::string x, y, z, p, q;
    if (i < w.size() && at(w[i], axis)) {
      ++i;
    } else {
      if (i + 3 > w.size()) return Usage(command);
      x = w[i], y = w[i + 1], z = w[i + 2];
      i += 3;
    }
    if (i < w.size() && at(w[i], angle)) {
      ++i;
    } else {
      if (i + 2 > w.size()) return Usage(command);
      p = w[i], q = w[i + 1];
      i += 2;
    }
    if (i != w.size()) return Usage(command);
    Check(PythagoreanRotation(ws, axis, angle, letter, x, y, z, p, q));
  } else if (command == "project" || command == "reflect") {
    if (w.size() != 3 || !Letter(w[2], other)) return Usage(command);
    Check(ReflectProject(ws, other, letter, command == "project"));
  } else if (command == "unimodular") {
    if (w.size() != 3) return Usage(command);
    Check(Unimodular(ws, w[2], letter));
  }
}

void ConsoleSession::Echelon(const Words& w) {
  int letter = 0;
  if (w.size() != 3 || !Letter(w[1], letter)) return Usage("echelon");
  std::string b = Lower(w[2]);
  Application::Button button;
  if (b == "final") button = Application::Button::Find;
  else if (b == "reset") button = Application::Button::Reset;
  else if (b == "step") button = Application::Button::Step;
  else return Usage("echelon");
  ResultCode c = app_.Echelon(letter, button);
  Check(c);
  if (c == 0) PrintCompanion(app_.workspace().echelon());
}

void ConsoleSession::LinearProgram(const Words& w) {
  int f = 0, b = 0, c = 0;
  if (w.size() != 6 || !Letter(w[2], f) || !Letter(w[3], b) || !Letter(w[4], c)) return Usage("lp");
  std::string sense = Lower(w[1]), action = Lower(w[5]);
  if (sense != "max" && sense != "min") return Usage("lp");
  Application::Button button;
  if (action == "find") button = Application::Button::Find;
  else if (action == "step") button = Application::Button::Step;
  else if (action == "reset") button = Application::Button::Reset;
  else return Usage("lp");
  ResultCode rc = app_.LinearProgram(sense == "max", f, b, c, button);
  Check(rc);
  if (rc == 0) PrintCompanion(app_.workspace().lp());
}

void ConsoleSession::Operations(const Words& w, const std::string&) {
  if (w.size() < 2) return Usage("oper");
  std::string what = Lower(w[1]);
  if (what == "reset") {
    int letter = 0;
    if (w.size() != 3 || !Letter(w[2], letter)) return Usage("oper");
    return Check(app_.ResetOperations(letter));
  }
  if (what == "undo") return Check(app_.OperUndo());
  if (what == "show") {
    PrintWindow(app_.workspace().operations(), app_.workspace().operations().title);
    return;
  }
  if (what != "rows" && what != "columns") return Usage("oper");
  bool columns = what == "columns";
  std::string action = w.size() > 2 ? Lower(w[2]) : "";
  if (action == "multiply" && w.size() == 5) return Check(app_.OperMultiply(columns, w[3], w[4]));
  if (action == "add" && w.size() == 6) return Check(app_.OperAdd(columns, w[3], w[4], w[5]));
  if (action == "swap" && w.size() == 5) return Check(app_.OperSwap(columns, w[3], w[4]));
  Usage("oper");
}

void ConsoleSession::Tex(const Words& w) {
  if (w.size() < 4) return Usage("tex");
  MatrixDocument* doc = Document(w[1]);
  if (!doc) return;
  static const char* const kForms[] = {"matrix", "table", "array", "tabular"};
  int form = -1;
  for (int i = 0; i < 4; ++i)
    if (Lower(w[3]) == kForms[i]) form = i;
  if (form < 0) return Usage("tex");
  TexOptions options;
  for (size_t i = 4; i < w.size(); ++i) {
    std::string o = Lower(w[i]);
    if (o == "none") options.delimiter = 0;
    else if (o == "paren") options.delimiter = 1;
    else if (o == "bracket") options.delimiter = 2;
    else if (o == "bar") options.delimiter = 3;
    else if (o == "left") options.alignment = 0;
    else if (o == "centre" || o == "center") options.alignment = 1;
    else if (o == "right") options.alignment = 2;
    else options.spacerFactor = StrToLongDoubleC(w[i].c_str(), nullptr);
  }
  Check(app_.ExportTex(*doc, w[2], form, options));
}

}  // namespace tavrin

namespace tavrin {

void ConsoleSession::Enter(const Words& w, std::istream& in) {
  int letter = 0;
  if ((w.size() != 4 && w.size() != 5) || !Letter(w[1], letter)) return Usage("enter");
  int rows = ReadCount(w[2]), cols = ReadCount(w[3]);
  // The entry lines belong to the command even when it is refused; a size
  // New refuses is known before they are read, and they are then skipped
  // rather than kept.
  const bool fits = rows >= 1 && cols >= 1 && static_cast<long long>(rows) * cols <= kMaxMatrixEntries;
  std::vector<Words> lines;
  for (int i = 0; i < std::max(rows, 0) && i <= 1000000; ++i) {
    std::string line;
    if (!std::getline(in, line)) break;
    if (fits) lines.push_back(SplitWords(line));
  }
  bool integer = app_.mode() == Mode::Integer;
  NewDialogTexts defaults = NewDialogDefaults(app_.mode());
  ResultCode c = NewMatrix(app_.workspace(), letter, NewType::Zeros, w[2], w[3], defaults.low, defaults.high,
                           defaults.value);
  if (c != 0) return Check(c);
  MatrixDocument* doc = app_.workspace().Lookup(letter);
  for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i) {
    for (int j = 0; j < cols && j < static_cast<int>(lines[i].size()); ++j) {
      c = EditEntry(port_, *doc, i, j, lines[i][j]);
      if (c > 0) return Failed();
    }
  }
  if (w.size() == 5) {
    if (!integer) return Usage("enter");
    Check(EditDenominator(port_, *doc, w[4]));
  }
}

void ConsoleSession::Edit(const std::string& command, const Words& w, const std::string& line) {
  if (w.size() < 2) return Usage(command);
  MatrixDocument* doc = Document(w[1]);
  if (!doc) return;
  auto need = [&](size_t n) {
    if (w.size() == n) return true;
    Usage(command);
    return false;
  };
  if (command == "edit") {
    if (w.size() >= 3 && Lower(w[2]) == "denom") {
      if (!doc->isInteger()) return Usage(command);
      return Check(EditDenominator(port_, *doc, RestOfLine(line, 3)));
    }
    if (w.size() < 4) return Usage(command);
    int row = ReadCount(w[2]), col = ReadCount(w[3]);
    if (row < 1 || row > doc->rows() || col < 1 || col > doc->cols()) {
      port_.ShowCode(code::kOutOfBounds);
      return Failed();
    }
    return Check(EditEntry(port_, *doc, row - 1, col - 1, RestOfLine(line, 4)));
  }
  if (command == "undo") {
    if (need(2)) Check(tavrin::Undo(port_, *doc));
  } else if (command == "redo") {
    if (need(2)) Check(tavrin::Redo(port_, *doc));
  } else if (command == "dims") {
    if (need(4)) Check(SetDimensions(port_, *doc, w[2], w[3]));
  } else if (command == "remove-rows") {
    if (need(4)) Check(RemoveRows(port_, *doc, w[2], w[3]));
  } else if (command == "remove-cols") {
    if (need(4)) Check(RemoveColumns(port_, *doc, w[2], w[3]));
  } else if (command == "insert-row") {
    if (need(3)) Check(InsertRow(port_, *doc, w[2]));
  } else if (command == "insert-col") {
    if (need(3)) Check(InsertColumn(port_, *doc, w[2]));
  } else if (command == "swap-rows") {
    if (need(4)) Check(ExchangeRows(port_, *doc, w[2], w[3]));
  } else if (command == "swap-cols") {
    if (need(4)) Check(ExchangeColumns(port_, *doc, w[2], w[3]));
  }
}

}  // namespace tavrin
