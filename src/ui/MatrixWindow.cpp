#include "ui/MatrixWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QStatusBar>
#include <QKeyEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <utility>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/BlockPaste.h"
#include "app/commands/CopyAsText.h"
#include "app/commands/Editing.h"
#include "core/Random.h"
#include "core/StringTable.h"
#include "io/DisplayFormat.h"
#include "io/Settings.h"
#include "ui/Contrast.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/FormatDialog.h"
#include "ui/Messages.h"
#include "ui/NotebookWindow.h"
#include "ui/PaletteWindow.h"
#include "ui/TextWindow.h"

namespace tavrin {

namespace {
using namespace command_id;
constexpr int kSavingText = 604;  // "saving ..."

QRect ScreenArea(const QWidget* w) {
  QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? s->geometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

MatrixWindow::MatrixWindow(Application& app, const MatrixDocument& doc, QWidget* parent)
    : ScrollingView(app, doc, parent) {
  setObjectName("MatrixWindow");
  m_.screenMargin = ScreenArea(this).width() / 70;
  BuildMenu();
  // A new window lands near the upper left, two thirds of the screen high.
  QRect screen = ScreenArea(this);
  int h = screen.height() * 2 / 3;
  RandomGenerator& rng = app_.random();
  int left = rng.Next() % 80;
  int top = style()->pixelMetric(QStyle::PM_TitleBarHeight) + menuBar()->sizeHint().height() + rng.Next() % 30;
  resize(4 * h / 5, h / 2);
  move(screen.left() + left, screen.top() + top);
  Refresh();
}

MatrixWindow::~MatrixWindow() { SaveWindowSettingsQuietly(); }

void MatrixWindow::SaveWindowSettingsQuietly() { SaveWindowSettings(doc_.appearance); }

QAction* MatrixWindow::action(int id) const { return actions_.value(id, nullptr); }

void MatrixWindow::BuildMenu() {
  auto add = [this](QMenu* m, int id, const QString& text, QKeySequence key, auto slot) {
    QAction* a = m->addAction(text);
    if (!key.isEmpty()) {
      a->setShortcut(key);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(a, &QAction::triggered, this, slot);
    actions_[id] = a;
    return a;
  };
  QMenu* file = menuBar()->addMenu("&File");
  add(file, kSave, "&Save", QKeySequence(), [this] { SaveCommand(false); });
  add(file, kSaveAs, "Save &As ...", QKeySequence(), [this] { SaveCommand(true); });
  file->addSeparator();
  add(file, kTexMatrix, "Te&X matrix ...", QKeySequence(), [this] { RunTexExport(this, app_, doc_, TexForm::Matrix); });
  add(file, kTexTable, "TeX tabl&e ...", QKeySequence(), [this] { RunTexExport(this, app_, doc_, TexForm::Table); });
  add(file, kLatexArray, "&LaTeX array ...", QKeySequence(),
      [this] { RunTexExport(this, app_, doc_, TexForm::LatexArray); });
  add(file, kLatexTabular, "LaTeX tab&ular ...", QKeySequence(),
      [this] { RunTexExport(this, app_, doc_, TexForm::LatexTabular); });
  add(file, kTextOut, "&Text out ...", QKeySequence(), [this] { TextOutCommand(); });
  if (StepsOf(app_, doc_)) {  // the companion windows keep a step log
    add(file, kSteps, "S&teps ...", QKeySequence(), [this] { StepsCommand(); });
    add(file, kSaveSteps, "Save steps as &LaTeX ...", QKeySequence(), [this] { (void)SaveSteps(app_, doc_); });
    add(file, kCopySteps, "Cop&y steps as LaTeX", QKeySequence(), [this] { CopyStepsCommand(); });
  }
  add(file, kBitmap, "&Bitmap to clipboard", QKeySequence(), [this] { BitmapToClipboard(); });
  add(file, kNotes, "&Notes ...", QKeySequence("Ctrl+Shift+N"), [this] { NotesCommand(); });
  file->addSeparator();
  add(file, kHelpMatrixFile, "&Help", QKeySequence(), [this] { ShowHelp(HelpPage(0)); });
  add(file, kClose, "&Close", QKeySequence(), [this] { CloseCommand(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  add(edit, kUndo, "&Undo ...", QKeySequence("Ctrl+Z"), [this] { UndoCommand(); });
  add(edit, kRedo, "&Redo", QKeySequence("Ctrl+Shift+Z"), [this] { RedoCommand(); })
      ->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
  edit->addSeparator();
  add(edit, kCopyBlock, "Cop&y", QKeySequence(QKeySequence::Copy), [this] { CopyBlockCommand(); });
  add(edit, kPasteBlock, "&Paste", QKeySequence(QKeySequence::Paste), [this] { PasteBlockCommand(); });
  QMenu* copyAs = edit->addMenu("Copy &as");
  copyAs->setObjectName("copyAs");
  int items = 0;
  const CopyAsItem* list = CopyAsItems(items);
  for (int k = 0; k < items; ++k) {
    const CopyAsKind kind = list[k].kind;
    add(copyAs, kCopyAsFirst + k, QString::fromLatin1(list[k].menu), QKeySequence(), [this, kind] { CopyAsCommand(kind); });
  }
  edit->addSeparator();
  add(edit, kDimensions, "&Dimensions ...", QKeySequence(), [this] { DimensionsCommand(); });
  QMenu* remove = edit->addMenu("Remo&ve");
  add(remove, kRemoveRows, "&Rows ...", QKeySequence(), [this] { RemoveCommand(false); });
  add(remove, kRemoveColumns, "&Columns ...", QKeySequence(), [this] { RemoveCommand(true); });
  QMenu* insert = edit->addMenu("&Insert");
  add(insert, kInsertRow, "&Row ...", QKeySequence(), [this] { InsertCommand(false); });
  add(insert, kInsertColumn, "&Column ...", QKeySequence(), [this] { InsertCommand(true); });
  QMenu* exchange = edit->addMenu("E&xchange");
  add(exchange, kExchangeRows, "&Rows ...", QKeySequence(), [this] { ExchangeCommand(false); });
  add(exchange, kExchangeColumns, "&Columns ...", QKeySequence(), [this] { ExchangeCommand(true); });
  edit->addSeparator();
  QAction* flow = add(edit, kColByCol, "&Col by col autofeed", QKeySequence(), [this] { colByCol_ = !colByCol_; });
  flow->setCheckable(true);
  // The plain arrows move the cell cursor; with Shift they shift the view.
  QMenu* shift = edit->addMenu("&Shift");
  add(shift, kShiftLeft, "&Left", QKeySequence(Qt::SHIFT | Qt::Key_Left), [this] { Shift(0, -1); });
  add(shift, kShiftRight, "&Right", QKeySequence(Qt::SHIFT | Qt::Key_Right), [this] { Shift(0, 1); });
  add(shift, kShiftDown, "&Down", QKeySequence(Qt::SHIFT | Qt::Key_Down), [this] { Shift(1, 0); });
  add(shift, kShiftUp, "&Up", QKeySequence(Qt::SHIFT | Qt::Key_Up), [this] { Shift(-1, 0); });
  edit->addSeparator();
  add(edit, kHelpMatrixEdit, "&Help", QKeySequence(), [this] { ShowHelp(HelpPage(1)); });

  QMenu* misc = menuBar()->addMenu("&Misc");
  add(misc, kFormat, "&Format ...", QKeySequence(), [this] { FormatCommand(); });
  add(misc, kHyphen, "Hyphen to &minus ...", QKeySequence(), [this] { HyphenCommand(); })->setCheckable(true);
  misc->addSeparator();
  add(misc, kFontEntry, "Matrix-&entry font ...", QKeySequence(), [this] { FontCommand(0); });
  add(misc, kFontText, "Text-window f&ont ...", QKeySequence(), [this] { FontCommand(6); });
  misc->addSeparator();
  add(misc, kBackground, "&Background color ...", QKeySequence(), [this] { ColourCommand(0); });
  add(misc, kBorder, "Bor&der color ...", QKeySequence(), [this] { ColourCommand(9); });
  add(misc, kHighlight, "H&ighlight color ...", QKeySequence(), [this] { ColourCommand(4); });
  misc->addSeparator();
  add(misc, kHelpMatrixMisc, "&Help", QKeySequence(), [this] { ShowHelp(HelpPage(2)); });
  for (QMenu* m : {file, edit, misc, remove, insert, exchange, shift, copyAs})
    connect(m, &QMenu::aboutToShow, this, &MatrixWindow::UpdateEnabling);
}

QString MatrixWindow::HelpPage(int menu) const {
  const Workspace& ws = app_.workspace();
  if (&doc_ == &ws.lp()) return "LPHELP";
  if (&doc_ == &ws.echelon()) return "ECHHELP";
  if (&doc_ == &ws.operations()) return "OPERHELP";
  static const char* pages[3] = {"TVMFILEH", "TVMEDITH", "TVMMISCH"};
  return pages[std::clamp(menu, 0, 2)];
}

void MatrixWindow::UpdateEnabling() {
  const int rows = doc_.rows(), cols = doc_.cols();
  const bool busy = editing();
  auto set = [this](int id, bool on) {
    if (QAction* a = action(id)) a->setEnabled(on);
  };
  for (int id : {kUndo, kRemoveRows, kRemoveColumns, kExchangeColumns, kExchangeRows})
    set(id, !busy && DocumentCommandEnabled(doc_, id));
  const bool hidCols = m_.visibleCols < cols, hidRows = m_.visibleRows < rows;
  set(kShiftLeft, !busy && hidCols && firstCol_ > 0);
  set(kShiftRight, !busy && hidCols && firstCol_ + m_.visibleCols < cols);
  set(kShiftUp, !busy && hidRows && firstRow_ > 0);
  set(kShiftDown, !busy && hidRows && firstRow_ + m_.visibleRows < rows);
  for (int id : {kDimensions, kInsertRow, kInsertColumn, kCopyBlock}) set(id, !busy);
  set(kRedo, !busy && !doc_.redo.empty());
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  set(kPasteBlock, !busy && mime && mime->hasText());
  action(kColByCol)->setChecked(colByCol_);
  action(kHyphen)->setChecked(doc_.format.minusOn);
}

void MatrixWindow::ComputeMetrics(int W, int H) {
  QFontMetrics fm(WindowFont(doc_.appearance, 0));
  const int width = doc_.format.width;
  const int run = width < 6 ? 8 : std::min(width + 2, 1000);
  m_.cellWidth = std::max(1, fm.horizontalAdvance(QString(run, '8')));
  const int h = fm.height();
  m_.cellHeight = std::max(1, h + 2 * (h / 4));
  m_.rowIndexWidth = fm.horizontalAdvance(QString::number(doc_.rows()) + "/");
  m_.columnIndexWidth = fm.horizontalAdvance(QString::number(doc_.cols()) + "/");
  m_.gridLeft = m_.rowIndexWidth + m_.gap;
  m_.gridTop = m_.gap + m_.cellHeight;
  H = std::max(1, H);
  int vc = (W - m_.rowIndexWidth - m_.columnIndexWidth - m_.gap - m_.screenMargin) / m_.cellWidth;
  int vr = (H - m_.screenMargin - m_.gap) / m_.cellHeight - 2 - (doc_.isInteger() ? 1 : 0);
  m_.visibleCols = std::max(1, std::min(vc, doc_.cols()));
  m_.visibleRows = std::max(1, std::min(vr, doc_.rows()));
}

void MatrixWindow::Relayout() {
  const QSize area = AreaSize();
  const int bar = BarExtent();
  bool hBar = false, vBar = false;
  int W = area.width(), H = area.height();
  for (int pass = 0; pass < 3; ++pass) {
    W = area.width() - (vBar ? bar : 0);
    H = area.height() - (hBar ? bar : 0);
    ComputeMetrics(W, H);
    bool needH = m_.visibleCols < doc_.cols(), needV = m_.visibleRows < doc_.rows();
    if (needH == hBar && needV == vBar) break;
    hBar = needH;
    vBar = needV;
  }
  ClampCursor();
  firstRow_ = std::clamp(firstRow_, 0, std::max(0, doc_.rows() - m_.visibleRows));
  firstCol_ = std::clamp(firstCol_, 0, std::max(0, doc_.cols() - m_.visibleCols));
  ArrangeArea(W, H, hBar, vBar);
  settingBars_ = true;
  hbar_->setRange(0, std::max(0, doc_.cols() - m_.visibleCols));
  hbar_->setPageStep(m_.visibleCols);
  hbar_->setValue(firstCol_);
  vbar_->setRange(0, std::max(0, doc_.rows() - m_.visibleRows));
  vbar_->setPageStep(m_.visibleRows);
  vbar_->setValue(firstRow_);
  settingBars_ = false;
  UpdateEnabling();
  MarkStale();
}

void MatrixWindow::AreaResized() { Relayout(); }

void MatrixWindow::ScrollBarsMoved() {
  if (settingBars_) return;
  firstCol_ = hbar_->value();
  firstRow_ = vbar_->value();
  UpdateEnabling();
  MarkStale();
}

QString MatrixWindow::BaseTitle() const {
  if (doc_.letter() < 1) return QString::fromStdString(doc_.title);
  // The same letter in another mode is another matrix: say which.
  QString title(QChar(doc_.letterChar()));
  if (doc_.kind() == MatrixKind::Complex) title += QStringLiteral(" [complex]");
  if (doc_.kind() == MatrixKind::Integer) title += QStringLiteral(" [integer]");
  return title;
}

void MatrixWindow::UpdateCaption() {
  QString title;
  if (saving_)
    title = QString::fromUtf8(String(kSavingText));
  else if (autofeed_)
    title = QString::fromUtf8(String(str::kEscCancelsAutofeed));
  else
    title = BaseTitle();
  // Qt's unsaved mark: the placeholder only while there is something to save.
  const bool unsaved = doc_.modified && !saving_ && !autofeed_;
  setWindowTitle(unsaved ? title + QStringLiteral("[*]") : title);
  setWindowModified(unsaved);
}

void MatrixWindow::SaveCommand(bool saveAs) {
  // The title tells that the file is being written, and stays so for half a
  // second so that the user sees it.
  saving_ = true;
  UpdateCaption();
  (void)Save(app_, Writable(), std::string(), saveAs);
  QTimer::singleShot(500, this, [this] {
    saving_ = false;
    UpdateCaption();
  });
}

void MatrixWindow::CopyAsCommand(CopyAsKind kind) {
  std::string text;
  const ResultCode rc = CopyAsText(doc_, kind, text);
  if (IsError(rc)) {
    app_.port().ShowCode(rc);
    return;
  }
  QApplication::clipboard()->setText(ProgramText(text));
}

void MatrixWindow::Refresh() {
  // A matrix replaced under an open edit box (New does not wait for the
  // edit to end) closes the box: its entry belongs to the old matrix.
  if (editing() && !doc_.editing) CancelEdit();
  const WindowAppearance& a = doc_.appearance;
  const QRect stored(a.left, a.top, a.width, a.height);
  // A matrix read from a file comes back where it was. The placement is
  // compared too: the window exists before the file's appearance is read.
  if (!doc_.fileName.empty() && (doc_.fileName != placedFile_ || stored != placedRect_)) {
    placedFile_ = doc_.fileName;
    placedRect_ = stored;
    QRect screen = ScreenArea(this);
    if (a.width >= 120 && a.height >= 72 && a.left >= screen.left() && a.top >= screen.top() &&
        a.left + a.width <= screen.right() + 1 && a.top + a.height <= screen.bottom() + 1) {
      setGeometry(a.left, a.top, a.width, a.height);
      placedFromFile_ = true;
    }
  }
  UpdateCaption();
  if (notebook_) notebook_->Refresh();
  // The status line under a companion's grid: the last step's operation.
  if (const StepLog* log = StepsOf(app_, doc_)) statusBar()->showMessage(ProgramText(log->LastText()));
  Relayout();
}

void MatrixWindow::StepsCommand() {
  std::string text;
  if (ResultCode rc = StepsTextOf(app_, doc_, text); NotOk(rc)) {
    app_.port().ShowCode(rc);
    return;
  }
  TextWindow* w = textOutWindow();
  w->SetText(ProgramText(text));
  w->SetTitle(QString::fromStdString(doc_.title));
  w->SetFilePath("steps.txt");
  w->ShowWindow();
}

void MatrixWindow::CopyStepsCommand() {
  std::string text;
  if (ResultCode rc = StepsLatexOf(app_, doc_, text); NotOk(rc)) {
    app_.port().ShowCode(rc);
    return;
  }
  QApplication::clipboard()->setText(ProgramText(text));
}

void MatrixWindow::SyncPlacement() {
  if (!isVisible() || isMaximized() || isMinimized()) return;
  QRect g = geometry();
  PlaceWindow(app_, Writable(), g.left(), g.top(), g.width(), g.height());
}

void MatrixWindow::moveEvent(QMoveEvent* e) {
  ScrollingView::moveEvent(e);
  SyncPlacement();
}

void MatrixWindow::resizeEvent(QResizeEvent* e) {
  ScrollingView::resizeEvent(e);
  SyncPlacement();
}

void MatrixWindow::DrawPicture(QPainter& p) {
  const WindowAppearance& a = doc_.appearance;
  const QColor background = ColourOf(a.Background());
  const QColor border = ColourOf(a.PaletteEntry(a.colourSlots[9]));
  const QColor ink = FontColour(a, 0);
  // The highlighted entry sits on a cell filled with the highlight colour,
  // made dark or light enough that its text stays easy to read.
  const HighlightColours lit = HighlightFor(ColourOf(a.PaletteEntry(a.colourSlots[4])), ink);
  p.fillRect(0, 0, drawW_, drawH_, background);
  p.setFont(WindowFont(a, 0));
  const int cw = m_.cellWidth, ch = m_.cellHeight;
  drawn_.clear();
  auto text = [&](int x, int y, const QString& s, const QColor& c) {
    drawn_.append({s, QPoint(x, y)});
    p.setPen(c);
    p.drawText(QRect(x - 8000, y, 8000, ch), Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, s);
  };
  const int rows = doc_.rows(), cols = doc_.cols();
  const int lastCol = std::min(m_.visibleCols - 1, cols - 1 - firstCol_);
  const int lastRow = std::min(m_.visibleRows - 1, rows - 1 - firstRow_);
  const int rowNumberX = m_.rowIndexWidth + 1;
  const int bottom = drawH_ - ch - m_.screenMargin;
  const MatrixKind kind = doc_.kind();
  for (int c = 0; c <= lastCol; ++c) {
    const int x = m_.gridLeft + (c + 1) * cw;
    text(x, bottom, QString::number(firstCol_ + c + 1), border);
    for (int r = 0; r <= lastRow; ++r) {
      const int y = m_.gridTop + r * ch;
      const int i = firstRow_ + r, j = firstCol_ + c;
      std::string s = doc_.isInteger() ? EntryText(doc_.format, doc_.q.at(i, j))
                                       : EntryText(doc_.format, kind, std::as_const(doc_.z).at(i, j));
      const bool highlighted = i == doc_.highlightRow && j == doc_.highlightCol;
      if (highlighted) p.fillRect(CellRect(r, c), lit.fill);
      text(x, y, ProgramText(s), highlighted ? lit.text : ink);
      if (c == 0) text(rowNumberX, y, " " + QString::number(i + 1), border);
    }
  }
  if (doc_.isInteger()) {
    const int y = m_.gridTop + (lastRow + 1) * ch;
    const int x = m_.gridLeft + (lastCol + 1) * cw;
    text(x, y, "denom " + ProgramText(EntryText(doc_.format, doc_.q.denominator)), ink);
  }
  if (m_.visibleCols < cols) text(drawW_ - m_.gap, bottom, "/" + QString::number(cols), border);
  if (m_.visibleRows < rows) text(rowNumberX, bottom, "/" + QString::number(rows), border);
  if (doc_.letter() >= 1) DrawCursor(p);  // companion windows only show
}

QRect MatrixWindow::CellRect(int r, int c) const {
  return QRect(m_.gridLeft + c * m_.cellWidth, m_.gridTop + r * m_.cellHeight, m_.cellWidth, m_.cellHeight);
}

bool MatrixWindow::HitTest(QPoint p, int& row, int& col, bool& denominator) const {
  denominator = false;
  const int cs = p.x() < m_.gridLeft ? -1 : (p.x() - m_.gridLeft) / m_.cellWidth;
  const int rs = p.y() < m_.gridTop ? -1 : (p.y() - m_.gridTop) / m_.cellHeight;
  const int lastCol = std::min(m_.visibleCols - 1, doc_.cols() - 1 - firstCol_);
  const int shownRows = std::min(m_.visibleRows, doc_.rows() - firstRow_);
  if (cs < 0 || cs > lastCol || rs < 0 || rs > shownRows) return false;
  if (rs == shownRows) {
    if (!doc_.isInteger() || cs != lastCol) return false;
    denominator = true;
    row = col = -1;
    return true;
  }
  row = firstRow_ + rs;
  col = firstCol_ + cs;
  return true;
}

void MatrixWindow::CanvasMousePress(QMouseEvent* e) {
  int row, col;
  bool denominator;
  if (!HitTest(e->position().toPoint(), row, col, denominator)) return;
  if (editing()) {
    // A click elsewhere takes the open edit first; a refused text keeps it.
    if (!editDenominator_ && !denominator && row == editRow_ && col == editCol_) return;
    autofeed_ = false;
    AcceptEdit();
    if (editing()) return;
  }
  if (!denominator && (e->modifiers() & Qt::ShiftModifier) && e->button() == Qt::LeftButton) {
    MoveCursor(row, col, true);  // Shift+click selects a block
    return;
  }
  if (!denominator) MoveCursor(row, col);
  if (e->button() == Qt::LeftButton) BeginEdit(row, col, false);
  if (e->button() == Qt::RightButton) BeginEdit(row, col, !denominator);
}

// --- The entry editor ---------------------------------------------------
// A click opens a borderless box over the cell holding the entry at full
// precision; Enter stores what it holds (an unchanged text changes
// nothing), a refused text keeps the box open for correction, Esc closes it.

void MatrixWindow::BeginEdit(int row, int col, bool autofeed) {
  if (editing()) return;
  const bool denominator = row < 0;
  if (denominator && !doc_.isInteger()) return;
  if (!denominator && (row >= doc_.rows() || col >= doc_.cols() || col < 0)) return;
  autofeed_ = autofeed && !denominator;
  if (!denominator) {
    // The cursor follows the edit box.
    cursorRow_ = row;
    cursorCol_ = col;
    anchorRow_ = anchorCol_ = -1;
  }
  editRow_ = denominator ? -1 : row;
  editCol_ = denominator ? -1 : col;
  editDenominator_ = denominator;
  editShown_ = EntryEditText(doc_, editRow_, editCol_);
  EntryEditOpened(app_, Writable());
  OpenEditBox(EditCellRect(), ProgramText(editShown_));
  UpdateCaption();
  UpdateEnabling();
}

QRect MatrixWindow::EditCellRect() const {
  if (editDenominator_) {
    // The denominator line under the last visible column.
    const int lastCol = std::min(m_.visibleCols - 1, doc_.cols() - 1 - firstCol_);
    const int shownRows = std::min(m_.visibleRows, doc_.rows() - firstRow_);
    return CellRect(shownRows, lastCol);
  }
  return CellRect(editRow_ - firstRow_, editCol_ - firstCol_);
}

void MatrixWindow::OpenEditBox(const QRect& cell, const QString& text) {
  // Sizes in dialog units of the interface font.
  QFontMetrics dm(QApplication::font());
  const int avg = std::max(1, dm.horizontalAdvance("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") / 52);
  const int half = m_.cellWidth / 2;
  const int duWidth = half < 60 ? 60 : half < 80 ? 80 : half < 100 ? 100 : 120;
  const int duHeight = std::clamp(m_.cellHeight / 6 * 4, 12, 24);
  QFont font = WindowFont(doc_.appearance, 0);
  const int w = duWidth * avg / 4;
  const int h = std::max(duHeight * dm.height() / 8, QFontMetrics(font).height() + 2);
  auto* box = new QLineEdit(canvas_);
  box->setObjectName("entryEdit");
  box->setFrame(false);
  box->setFont(font);
  // 256 characters, or more for an integer with more digits: never cut.
  box->setMaxLength(std::max<int>(256, static_cast<int>(text.size())));
  box->setText(text);
  box->selectAll();
  box->setGeometry(cell.right() + 1 - w, cell.top(), w, h);
  box->installEventFilter(this);
  editBox_ = box;
  box->show();
  box->setFocus();
}

void MatrixWindow::CloseEditBox() {
  QLineEdit* box = editBox_;
  editBox_ = nullptr;
  box->removeEventFilter(this);
  box->hide();
  box->deleteLater();
  EntryEditClosed(app_, Writable());
}

bool MatrixWindow::eventFilter(QObject* o, QEvent* e) {
  if (o == editBox_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      // Autofeed goes on along its flow; a single edit moves down.
      if (autofeed_) AcceptEdit();
      else CommitAndMove(1, 0);
      return true;
    }
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      CommitAndMove(0, k->key() == Qt::Key_Tab ? 1 : -1);
      return true;
    }
    if (k->key() == Qt::Key_Escape) {
      CancelEdit();
      return true;
    }
  }
  return ScrollingView::eventFilter(o, e);
}

void MatrixWindow::CancelEdit() {
  if (!editBox_) return;
  CloseEditBox();
  autofeed_ = false;
  UpdateCaption();
  UpdateEnabling();
  MarkStale();
  canvas_->setFocus();  // the keyboard goes back to the grid
}

void MatrixWindow::AcceptEdit() {
  if (!editBox_) return;
  const QString typed = editBox_->text();
  // The box is set aside while the text is stored, so that the refresh the
  // change causes does not close it as a box over a replaced matrix.
  QPointer<QLineEdit> box = editBox_;
  editBox_ = nullptr;
  const ResultCode rc =
      AcceptEntryEdit(app_, Writable(), editRow_, editCol_, editShown_, ToProgramText(typed));
  editBox_ = box;
  if (NotOk(rc) && editBox_) {
    // The message has been shown; the text stays for correction.
    EntryEditOpened(app_, Writable());
    editBox_->setFocus();
    return;
  }
  if (editBox_) CloseEditBox();
  if (autofeed_ && ContinueAutofeed()) return;
  autofeed_ = false;
  UpdateCaption();
  UpdateEnabling();
  MarkStale();
}

bool MatrixWindow::ContinueAutofeed() {
  auto next = NextAutofeedEntry(editRow_, editCol_, doc_.rows(), doc_.cols(), colByCol_);
  if (!next) return false;
  firstRow_ = ScrollIntoView(next->first, firstRow_, m_.visibleRows, doc_.rows());
  firstCol_ = ScrollIntoView(next->second, firstCol_, m_.visibleCols, doc_.cols());
  Relayout();
  BeginEdit(next->first, next->second, true);
  return true;
}

void MatrixWindow::Shift(int dRow, int dCol) {
  if (editing()) return;
  int row = firstRow_, col = firstCol_;
  if (dCol != 0 && m_.visibleCols < doc_.cols()) {
    int to = firstCol_ + dCol;
    if (to >= 0 && to + m_.visibleCols <= doc_.cols()) col = to;
  }
  if (dRow != 0 && m_.visibleRows < doc_.rows()) {
    int to = firstRow_ + dRow;
    if (to >= 0 && to + m_.visibleRows <= doc_.rows()) row = to;
  }
  if (row != firstRow_ || col != firstCol_) ScrollTo(row, col);
}

void MatrixWindow::ScrollTo(int row, int col) {
  firstRow_ = row;
  firstCol_ = col;
  // The bars follow without reporting a move of their own.
  settingBars_ = true;
  hbar_->setValue(firstCol_);
  vbar_->setValue(firstRow_);
  settingBars_ = false;
  UpdateEnabling();
  MarkStale();
}

void MatrixWindow::AfterStructuralChange(ResultCode rc, bool relayout) {
  if (NotOk(rc)) return;
  if (relayout) {
    firstRow_ = firstCol_ = 0;
    Relayout();
  } else {
    UpdateEnabling();
    MarkStale();
  }
}

void MatrixWindow::DimensionsCommand() {
  QString rows = QString::number(doc_.rows()), cols = QString::number(doc_.cols());
  if (!InputTwo(this, "dimensions", "rows", "columns", rows, cols, 10)) return;
  AfterStructuralChange(SetDimensions(app_, Writable(), rows.toStdString(), cols.toStdString()));
}

void MatrixWindow::RemoveCommand(bool columns) {
  QString a, b;
  if (columns) {
    a = b = QString::number(doc_.cols());
    if (!InputTwo(this, "delete", "column", "through column", a, b, 10)) return;
    AfterStructuralChange(RemoveColumns(app_, Writable(), a.toStdString(), b.toStdString()));
  } else {
    a = "1";
    b = "2";
    if (!InputTwo(this, "delete", "row", "through row", a, b, 10)) return;
    AfterStructuralChange(RemoveRows(app_, Writable(), a.toStdString(), b.toStdString()));
  }
}

void MatrixWindow::InsertCommand(bool column) {
  QString n = "2";
  if (!InputOne(this, "input", column ? "number of new column is" : "number of new row is", n, 11)) return;
  AfterStructuralChange(column ? InsertColumn(app_, Writable(), n.toStdString())
                               : InsertRow(app_, Writable(), n.toStdString()));
}

void MatrixWindow::ExchangeCommand(bool columns) {
  QString a = "1", b = "2";
  if (columns) {
    if (!InputTwo(this, "exchange columns", "column 1", "column 2", a, b, 10)) return;
    AfterStructuralChange(ExchangeColumns(app_, Writable(), a.toStdString(), b.toStdString()), false);
  } else {
    if (!InputTwo(this, "exchange rows", "row 1", "row 2", a, b, 10)) return;
    AfterStructuralChange(ExchangeRows(app_, Writable(), a.toStdString(), b.toStdString()), false);
  }
}

void MatrixWindow::UndoCommand() {
  if (editing()) return;
  AfterStructuralChange(Undo(app_, Writable()));
}

void MatrixWindow::RedoCommand() {
  if (editing()) return;
  AfterStructuralChange(Redo(app_, Writable()));
}

void MatrixWindow::PasteBlockCommand() {
  if (editing()) return;
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime || !mime->hasText()) return;
  // The block's top left goes to the cursor (or the selected block's).
  const int row = anchorRow_ >= 0 ? std::min(anchorRow_, cursorRow_) : cursorRow_;
  const int col = anchorRow_ >= 0 ? std::min(anchorCol_, cursorCol_) : cursorCol_;
  if (IsOk(PasteBlock(app_, Writable(), row, col, ToProgramText(mime->text())))) {
    UpdateEnabling();
    MarkStale();
  }
}

void MatrixWindow::TextOutCommand() {
  std::string out;
  ResultCode rc = TextOutOf(doc_, out);
  if (NotOk(rc)) {
    app_.port().ShowCode(rc);
    return;
  }
  TextWindow* w = textOutWindow();
  w->SetText(ProgramText(out));
  // The linear program's data keep their own name, whatever run the window shows.
  const bool lp = &doc_ == &app_.workspace().lp();
  w->SetTitle(doc_.letter() >= 1 ? QString("matrix ") + QChar(doc_.letterChar())
              : lp             ? QString::fromUtf8(String(str::kLinearProgramData))
                               : QString::fromStdString(doc_.title));
  w->SetFilePath("matrix.txt");
  w->ShowWindow();
}

void MatrixWindow::NotesCommand() {
  NotebookWindow* n = notebook();
  n->Refresh();
  n->ShowWindow();
  NotesOpened(app_, Writable());
}

void MatrixWindow::CloseCommand() {
  CancelEdit();
  CloseWindow(app_, Writable());
  HideCompanions();
  hide();
}

void MatrixWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  CloseCommand();
}

void MatrixWindow::FormatCommand() {
  // The dialog's OK runs the format command, which refuses what it cannot
  // take (the dialog then stays open) and keeps the rest.
  FormatDialog dialog(this, doc_.format,
                      [this](const FormatChoice& choice) { return ApplyFormat(app_, Writable(), choice); });
  if (dialog.exec() == QDialog::Accepted) Relayout();
}

void MatrixWindow::HyphenCommand() {
  HyphenDialog dialog(this, doc_.format.minusCode);
  const bool wasOn = doc_.format.minusOn;
  const int16_t wasCode = doc_.format.minusCode;
  if (dialog.exec() == QDialog::Accepted) {
    const std::string text = dialog.Text().toStdString();
    (void)ApplyHyphen(app_, Writable(), &text);
  } else {
    (void)ApplyHyphen(app_, Writable(), nullptr);
  }
  if (doc_.format.minusOn != wasOn || doc_.format.minusCode != wasCode) Relayout();
  UpdateEnabling();
}

void MatrixWindow::FontCommand(int k) {
  const int title = k == 0 ? str::kMatrixEntryFont : str::kTextWindowFont;
  WindowAppearance chosen = doc_.appearance;
  if (!ChooseWindowFont(this, chosen, k, QString::fromUtf8(String(title)), k == 0)) return;
  SetAppearance(app_, Writable(), chosen);
  if (k == 0) {
    Relayout();
    return;
  }
  for (TextWindow* w : std::initializer_list<TextWindow*>{textOut_, notebook_}) {
    if (!w) continue;
    w->fonts().fonts[k] = doc_.appearance.fonts[k];
    w->fonts().fontPoints[k] = doc_.appearance.fontPoints[k];
    w->ApplyFont();
  }
}

void MatrixWindow::ColourCommand(int slot) {
  const int title = slot == 0 ? str::kBackground : slot == 4 ? str::kHighlightEntry : str::kBorderFont;
  paletteWindow()->OpenForSlot(slot, QString::fromUtf8(String(title)));
}

}  // namespace tavrin
