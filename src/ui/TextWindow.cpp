#include "ui/TextWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextBlock>
#include <QVBoxLayout>
#include <cmath>

#include "core/StringTable.h"
#include "ui/Fonts.h"
#include "ui/Messages.h"

namespace tavrin {

namespace {
const char* kTextFilter = "Text Files (*.TXT *.txt)";

QString ToEditText(QString text) {
  text.replace("\r\n", "\n");
  return text;
}
}  // namespace

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  qsizetype room = kMaxChars - document()->characterCount() + 1 + textCursor().selectedText().size();
  if (room <= 0) return;
  QString text = source->text();
  if (text.size() > room) text.truncate(room);
  textCursor().insertText(ToEditText(text));
}

TextWindow::TextWindow(QWidget* owner, const QString& title, const QString& filePath, const QString& text,
                       int fontIndex)
    : QMainWindow(owner, Qt::Window),
      filePath_(filePath),
      fontIndex_(fontIndex),
      fonts_(WindowAppearance::ForNewWindow(0)) {
  setObjectName("TextWindow");
  setAttribute(Qt::WA_QuitOnClose, false);
  edit_ = new LimitedTextEdit(this);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setFrameShape(QFrame::NoFrame);
  setCentralWidget(edit_);
  setFocusProxy(edit_);
  setWindowTitle(title);
  ApplyFont();
  SetText(text);
  BuildMenu(false);
  // Save (and its Ctrl+S) follows the modification mark as it changes.
  connect(edit_->document(), &QTextDocument::modificationChanged, this, &TextWindow::UpdateEnabling);
  resize(560, 400);
}

TextWindow::~TextWindow() = default;

void TextWindow::BuildMenu(bool notebook) {
  menuBar()->clear();
  QMenu* file = menuBar()->addMenu("&File");
  auto add = [this](QMenu* m, const QString& text, QKeySequence key, auto slot) {
    QAction* a = m->addAction(text);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QAction* open = nullptr;
  QAction* saveAs = nullptr;
  if (notebook) {
    // The notes can still be kept as a text file of their own, by key only.
    open = new QAction(this);
    save_ = new QAction(this);
    saveAs = new QAction(this);
    open->setShortcut(QKeySequence("Ctrl+O"));
    save_->setShortcut(QKeySequence("Ctrl+S"));
    saveAs->setShortcut(QKeySequence("Ctrl+Shift+S"));
    addAction(open);
    addAction(save_);
    addAction(saveAs);
    connect(open, &QAction::triggered, this, [this] { Open(); });
    connect(save_, &QAction::triggered, this, [this] { Save(); });
    connect(saveAs, &QAction::triggered, this, [this] { SaveAs(); });
  } else {
    add(file, "&Open ...", QKeySequence("Ctrl+O"), [this] { Open(); });
    save_ = add(file, "&Save", QKeySequence("Ctrl+S"), [this] { Save(); });
    add(file, "Save &As ...", QKeySequence("Ctrl+Shift+S"), [this] { SaveAs(); });
    file->addSeparator();
  }
  add(file, "&Print ...", QKeySequence("Ctrl+P"), [this] { Print(); });
  add(file, "S&elect printer ...", QKeySequence(), [this] { SelectPrinter(); });
  add(file, notebook ? "O&ffset ..." : "O&ffsets ...", QKeySequence(), [this] { Offsets(); });
  file->addSeparator();
  add(file, "&Close", QKeySequence(), [this] { CloseCommand(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  copy_ = add(edit, "&Copy", QKeySequence("Ctrl+C"), [this] { edit_->copy(); });
  cut_ = add(edit, "Cu&t", QKeySequence("Ctrl+X"), [this] { edit_->cut(); });
  paste_ = add(edit, "&Paste", QKeySequence("Ctrl+V"), [this] { edit_->paste(); });
  add(edit, "Select &All", QKeySequence("Ctrl+A"), [this] { edit_->selectAll(); });
  edit->addSeparator();
  add(edit, "&Search ...", QKeySequence(Qt::Key_F1), [this] {
    QString word = searchWord_;
    if (InputOne(this, "input", "search for", word, 255)) Search(word);
  });
  next_ = add(edit, "&Next", QKeySequence(Qt::Key_F3), [this] { Next(); });
  add(edit, "&Restart at top", QKeySequence(Qt::Key_F2), [this] { RestartAtTop(); });
  edit->addSeparator();
  add(edit, "&Help", QKeySequence(), [this] { HelpCommand(); });

  QMenu* misc = menuBar()->addMenu("&Misc");
  add(misc, "&Font ...", QKeySequence(), [this] { FontCommand(); });
  add(misc, "&Minus signs ...", QKeySequence(), [this] {
    QString text = "150";
    if (!InputOne(this, "lengthen hyphens", "ASCII value of new minus sign", text, 9)) return;
    MinusSigns(AsciiToInt(text));
  });
  for (QMenu* m : {file, edit, misc}) connect(m, &QMenu::aboutToShow, this, &TextWindow::UpdateEnabling);
  UpdateEnabling();
}

void TextWindow::UpdateEnabling() {
  bool selection = edit_->textCursor().hasSelection();
  if (copy_) copy_->setEnabled(selection);
  if (cut_) cut_->setEnabled(selection);
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (paste_) paste_->setEnabled(mime && mime->hasText());
  if (next_) next_->setEnabled(!searchWord_.isEmpty());
  if (save_) save_->setEnabled(edit_->document()->isModified());
}

void TextWindow::ApplyFont() {
  QFont font = WindowFont(fonts_, fixedPitch_ ? 2 : fontIndex_);
  edit_->setFont(font);
}

void TextWindow::SetFixedPitch(bool on) {
  if (on == fixedPitch_) return;
  fixedPitch_ = on;
  ApplyFont();
}

void TextWindow::SetText(const QString& text) {
  QString t = ToEditText(text.left(LimitedTextEdit::kMaxChars));
  edit_->setPlainText(t);
  edit_->document()->setModified(false);
  edit_->moveCursor(QTextCursor::Start);
  edit_->verticalScrollBar()->setValue(0);
  searchFromCursor_ = true;
  lineEnd_ = QStringLiteral("\r\n");
}

QString TextWindow::Text() const {
  QString t = edit_->toPlainText();
  t.replace('\n', lineEnd_);
  return t;
}

void TextWindow::SetTitle(const QString& title) { setWindowTitle(title); }

void TextWindow::ShowWindow() {
  show();
  raise();
  activateWindow();
}

void TextWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  CloseCommand();
}

void TextWindow::CloseCommand() { hide(); }

bool TextWindow::AskSaveChanges() {
  if (!edit_->document()->isModified()) return true;
  QString name = QFileInfo(filePath_).completeBaseName();
  Answer a = AskBox(this, QString::fromUtf8(String(str::kSaveChangesTo)) + name + "?", true);
  if (a == Answer::Cancel) return false;
  if (a == Answer::Yes) return Save();
  return true;
}

bool TextWindow::Open(const QString& given) {
  if (!AskSaveChanges()) return false;
  QString path = given;
  if (path.isEmpty()) {
    path = QFileDialog::getOpenFileName(this, QString(), filePath_, kTextFilter);
    if (path.isEmpty()) return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ShowCodeBox(this, ResultCode::CannotOpenFile);
    return false;
  }
  QByteArray bytes = file.read(LimitedTextEdit::kMaxChars);
  // Files saved here end with one NUL after the text; only that one goes.
  // Any other byte, NUL or not, is part of the text.
  if (bytes.endsWith('\0')) bytes.chop(1);
  filePath_ = path;
  SetText(ProgramText(bytes.toStdString()));
  // A file with bare LF line ends is written back with them.
  if (bytes.contains('\n') && !bytes.contains("\r\n")) lineEnd_ = QStringLiteral("\n");
  hasFile_ = true;
  UpdateEnabling();
  return true;
}

bool TextWindow::WriteTo(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    ShowCodeBox(this, ResultCode::CannotSaveFile);
    return false;
  }
  // The title tells which file is being written.
  const QString before = windowTitle();
  setWindowTitle(QString::fromUtf8(String(str::kSaveChangesTo)) + " " + QFileInfo(path).fileName());
  std::string bytes = ToProgramText(Text());
  bytes.push_back('\0');
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    setWindowTitle(before);
    ShowCodeBox(this, ResultCode::CannotSaveFile);
    return false;
  }
  file.close();
  filePath_ = path;
  hasFile_ = true;
  edit_->document()->setModified(false);
  setWindowTitle(QFileInfo(path).completeBaseName());
  return true;
}

bool TextWindow::Save(const QString& given) {
  if (!given.isEmpty()) return WriteTo(given);
  if (!edit_->document()->isModified() && hasFile_) return true;
  if (hasFile_ && !filePath_.isEmpty()) return WriteTo(filePath_);
  QString path = QFileDialog::getSaveFileName(this, QString(), filePath_, kTextFilter, nullptr,
                                              QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return false;
  // A name typed without an extension gets ".txt", as the filter shows.
  if (QFileInfo(path).suffix().isEmpty()) path += ".txt";
  if (QFileInfo::exists(path) &&
      AskBox(this, QString::fromUtf8(String(str::kOverwrite)), true) != Answer::Yes)
    return false;
  return WriteTo(path);
}

bool TextWindow::SaveAs(const QString& given) {
  hasFile_ = false;
  return Save(given);
}

QPrinter& TextWindow::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TextWindow::SelectPrinter() {
  QPrintDialog dialog(&printer(), this);
  dialog.exec();
}

void TextWindow::RenewPrinter() {
  // A QPrinter whose job failed to start stays failed: the next job gets a
  // fresh one with the same choices.
  auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
  fresh->setOutputFormat(printer_->outputFormat());
  if (printer_->outputFormat() == QPrinter::NativeFormat) fresh->setPrinterName(printer_->printerName());
  fresh->setOutputFileName(printer_->outputFileName());
  fresh->setPageLayout(printer_->pageLayout());
  printer_ = std::move(fresh);
}

int TextWindow::Print() {
  QPrinter& p = printer();
  // Without any printer Qt falls back to a PDF file that has no name.
  if (p.outputFormat() == QPrinter::PdfFormat && p.outputFileName().isEmpty()) {
    ShowCodeBox(this, ResultCode::NoPrinter);
    return 0;
  }
  p.setDocName(QFileInfo(filePath_).fileName());
  QPainter painter;
  if (!painter.begin(&p)) {
    RenewPrinter();
    ShowCodeBox(this, ResultCode::CannotPrint);
    return 0;
  }
  const int dpiX = p.logicalDpiX(), dpiY = p.logicalDpiY();
  const long double offH = offsetH < 0.25L ? 0.25L : offsetH;
  const long double offV = offsetV < 0.25L ? 0.25L : offsetV;
  // The painter's origin is the printable area's corner: take off the margins.
  QRectF page = p.pageRect(QPrinter::DevicePixel), paper = p.paperRect(QPrinter::DevicePixel);
  const int x = static_cast<int>(std::lround(offH * dpiX)) - static_cast<int>(page.left() - paper.left());
  const int top = static_cast<int>(std::lround(offV * dpiY)) - static_cast<int>(page.top() - paper.top());
  QFont font = WindowFont(fonts_, fontIndex_);
  font.setPixelSize(std::max(1, font.pointSize() * dpiY / 72));
  painter.setFont(font);
  QFontMetrics fm(font, &p);
  const int lineHeight = std::max(1, fm.boundingRect('M').height() > 0 ? fm.height() : 1);
  const double paperInches = p.pageLayout().fullRect(QPageLayout::Millimeter).width() * 0.03937007874015748;
  const long double printable = (paperInches <= 9.0 ? 10.0L : 7.5L) - offV;
  int linesPerPage = static_cast<int>(std::lround(printable * dpiY)) / lineHeight;
  if (linesPerPage < 1) linesPerPage = 1;

  const QString text = Text();
  qsizetype i = 0;
  const qsizetype n = text.size();
  int pages = 0;
  do {
    if (pages > 0) p.newPage();
    ++pages;
    int y = top;
    int lines = 0;
    bool pageEnd = false;
    while (!pageEnd && i < n) {
      QString line;
      while (i < n && text[i] != '\r' && text[i] != '\f' && text[i] != '\n') line.append(text[i++]);
      bool formFeed = false;
      if (i < n) {
        if (text[i] == '\r') {
          ++i;
          if (i < n && text[i] == '\n') ++i;
        } else if (text[i] == '\n') {
          ++i;
        } else {
          formFeed = true;
          ++i;
        }
      }
      painter.drawText(x, y + fm.ascent(), line);
      y += lineHeight;
      ++lines;
      pageEnd = formFeed || lines >= linesPerPage;
    }
  } while (i < n);
  if (!painter.end() || p.printerState() == QPrinter::Error) {
    RenewPrinter();
    ShowCodeBox(this, ResultCode::CannotPrint);
    return 0;
  }
  return pages;
}

void TextWindow::Offsets() {
  QDialog dialog(this);
  dialog.setObjectName("offsets");
  dialog.setWindowTitle("text format (cm)");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("offset of upper left corner", &dialog));
  auto* form = new QFormLayout;
  auto* hori = new QLineEdit(FormatLongDouble("%4.2Lf", offsetH * 2.54L), &dialog);
  auto* vert = new QLineEdit(FormatLongDouble("%4.2Lf", offsetV * 2.54L), &dialog);
  hori->setObjectName("hori");
  vert->setObjectName("vert");
  hori->setMaxLength(19);
  vert->setMaxLength(19);
  form->addRow("hori", hori);
  form->addRow("vert", vert);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton("ok", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton("cancel", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    long double h = AsciiToLongDouble(hori->text()) / 2.54L;
    long double v = AsciiToLongDouble(vert->text()) / 2.54L;
    if (!(h >= 0.25L) || !(v >= 0.25L)) {
      ShowCodeBox(&dialog, ResultCode::OutOfBounds);
      return;
    }
    offsetH = h;
    offsetV = v;
    dialog.accept();
  });
  dialog.exec();
}

bool TextWindow::Find() {
  const QString text = edit_->toPlainText();
  const qsizetype n = searchWord_.size();
  qsizetype p = edit_->textCursor().selectionStart();
  if (!searchFromCursor_) ++p;
  searchFromCursor_ = false;
  qsizetype found = n > 0 && p + n <= text.size() ? text.indexOf(searchWord_, p, Qt::CaseInsensitive) : -1;
  if (found < 0) {
    QTextCursor c(edit_->document());
    c.setPosition(0);
    edit_->setTextCursor(c);
    edit_->verticalScrollBar()->setValue(0);
    searchFromCursor_ = true;
    return false;
  }
  QTextCursor c(edit_->document());
  c.setPosition(static_cast<int>(found));
  c.setPosition(static_cast<int>(found + n), QTextCursor::KeepAnchor);
  edit_->setTextCursor(c);
  // The found line becomes the fourth visible one.
  int line = c.block().blockNumber();
  if (edit_->document()->blockCount() >= 4) edit_->verticalScrollBar()->setValue(std::max(0, line - 3));
  return true;
}

bool TextWindow::Search(const QString& word) {
  searchWord_ = word.left(255);
  if (searchWord_.isEmpty()) {
    ShowCodeBox(this, ResultCode::NothingToDo);
    return false;
  }
  if (Find()) return true;
  ShowCodeBox(this, ResultCode::CouldNotFind);
  return false;
}

bool TextWindow::Next() {
  if (searchWord_.isEmpty()) return false;
  if (Find()) return true;
  ShowCodeBox(this, ResultCode::CouldNotFind);
  return false;
}

void TextWindow::RestartAtTop() {
  edit_->verticalScrollBar()->setValue(0);
  QTextCursor c(edit_->document());
  c.setPosition(0);
  edit_->setTextCursor(c);
  searchFromCursor_ = true;
}

void TextWindow::MinusSigns(int code) {
  if (code < 2 || code > 255) {
    ShowCodeBox(this, ResultCode::CannotUnderstand);
    return;
  }
  QString text = edit_->toPlainText();
  text.replace('-', ProgramChar(code));
  edit_->setPlainText(text);
  edit_->document()->setModified(true);
}

void TextWindow::FontCommand() {
  if (ChooseWindowFont(this, fonts_, fontIndex_, QString::fromUtf8(String(str::kTextWindowFontTitle)), false))
    ApplyFont();
}

void TextWindow::HelpCommand() {
  NoticeBox(this, "searching",
            "Click Edit|Search to find the first occurrence of a\r\n"
            "word. Use Edit|Next to find additional occurrences.\r\n"
            "Searching is not case-sensitive. It starts at the text\r\n"
            "cursor, which might not be visible in the window.");
}

}  // namespace tavrin
