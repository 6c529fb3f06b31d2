#include "ui/MainFrame.h"

#include "app/commands/Commands.h"

#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include "core/Random.h"
#include "core/StringTable.h"
#include "ui/Dialogs.h"
#include "ui/LongWork.h"
#include "ui/MatrixWindow.h"
#include "ui/Messages.h"
#include "ui/NotebookWindow.h"
#include "ui/ProgramIcon.h"
#include "ui/WindowPlacement.h"
#include "ui/TaskDialog.h"
#include "ui/TextWindow.h"

namespace tavrin {

namespace {
using namespace command_id;

struct Item {
  int id;  // 0: separator
  const char* text;
  const char* key;
  int modes;  // bit per mode: 1 real, 2 complex, 4 integer
};
constexpr int kAll = 7;

const Item kFirstMenu[] = {
    {kNew, "&New ...", "Ctrl+N", kAll},
    {kOpen, "&Open ...", "Ctrl+O", kAll},
    {kPaste, "&Paste", "Ctrl+V", kAll},
    {0, nullptr, nullptr, kAll},
    {kModeReal, "&Real", nullptr, kAll},
    {kModeComplex, "&Complex", nullptr, kAll},
    {kModeInteger, "&Integer", nullptr, kAll},
    {0, nullptr, nullptr, kAll},
    {kRotate2D, "Rotate &2D ...", nullptr, 1},
    {kRotate3D, "Rotate &3D ...", nullptr, 1},
    {kIntegerRotate3D, "Rotate &3D ...", nullptr, 4},
    {kReflectProject, "&Reflect | Project ...", nullptr, 1 | 4},
    {kUnimodular, "&Unimodular ...", nullptr, 4},
    {kFormula, "&Formula ...", nullptr, 1},
    {kCopyColumn, "&Copy column ...", nullptr, kAll},
    {0, nullptr, nullptr, kAll},
    {kWhiteBackgrounds, "&White backgrounds", nullptr, kAll},
    {0, nullptr, nullptr, kAll},
    {kHelpFile, "&Help", nullptr, kAll},
    {kExit, "E&xit", nullptr, kAll},
};

const Item kCalcMenu[] = {
    {kCalculate, "&Calculate ...", "Ctrl+C", kAll},
    {kSolve, "&Solve ...", "Ctrl+S", kAll},
    {kLinearProgram, "&Linear program ...", "Ctrl+L", 1 | 4},
    {kEchelon, "&Echelon form ...", "Ctrl+E", kAll},
    {kOperations, "&Row/clm operations ...", nullptr, 1 | 4},
};

// The accelerators are the same in every mode, menu item or not.
const std::pair<int, const char*> kAccelerators[] = {
    {kCalculate, "Ctrl+C"}, {kSolve, "Ctrl+S"}, {kLinearProgram, "Ctrl+L"}, {kEchelon, "Ctrl+E"},
    {kPaste, "Ctrl+V"},     {kNew, "Ctrl+N"},   {kOpen, "Ctrl+O"},
};

bool ClipboardHasText() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  return mime && mime->hasText();
}

QString QtFilter(const std::string& filter) {
  if (filter.empty()) return "All files (*)";
  QString f = QString::fromStdString(filter);
  int bar = f.indexOf('|');
  if (bar < 0) return f;
  QString description = f.left(bar), pattern = f.mid(bar + 1);
  int paren = description.indexOf('(');
  QString name = paren >= 0 ? description.left(paren).trimmed() : description.trimmed();
  return name + " (" + pattern + " " + pattern.toUpper() + ")";
}
}  // namespace

MainFrame::MainFrame(const QString& pendingFile) : QMainWindow(nullptr), pending_(pendingFile.left(256)) {
  setObjectName("MainFrame");
  InstallProgramIcon();
  app_ = std::make_unique<Application>(*this);
  app_->SetLongWorkRunner(
      [this](const std::function<ResultCode()>& work, int stopKey) { return RunLongWork(this, work, stopKey); });
  waitTimer_ = new QTimer(this);
  waitTimer_->setInterval(100);
  connect(waitTimer_, &QTimer::timeout, this, [this] {
    if (Busy()) return;
    waitTimer_->stop();
    OpenWhenIdle();
  });
  tasks_ = std::make_unique<TaskDialogs>(*app_, this);
  QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                  : QRect(0, 0, 1024, 768);
  settings_ = LoadMainSettings(screen.width(), screen.height(), app_->random());
  const Placement& p = settings_.placement;
  // The stored corner is the outer frame's, as move() takes it; the size is
  // the inner one, as resize() takes it.
  move(p.left, p.top);
  resize(p.width, p.height);
  setAcceptDrops(true);
  // The companion windows of the linear program, echelon and operations dialogs.
  const Workspace& ws = app_->workspace();
  for (const MatrixDocument* doc : {&ws.lp(), &ws.echelon(), &ws.operations()}) {
    auto* w = new MatrixWindow(*app_, *doc, this);
    w->setWindowFlag(Qt::Window);
    windows_[doc] = w;
  }
  BuildMenus();
  FitTitleAndMenus();
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainFrame::UpdateCommandStates);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
    QWidget* active = QApplication::activeWindow();
    if (active && !active->isModal()) lastActive_ = active;  // not a question box
  });
  QTimer::singleShot(0, this, &MainFrame::FirstIdle);
}

MainFrame::~MainFrame() {
  Placement p;
  QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  // The corner of the outer frame, where the next start moves it: storing
  // the inner corner would let the window creep down by its title bar.
  const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
  p.left = g.left() - frameOffset.x();
  p.top = g.top() - frameOffset.y();
  p.width = g.width();
  p.height = g.height();
  p.maximized = isMaximized();
  settings_.placement = p;
  SaveMainSettings(settings_);
  if (tasks_) tasks_->CloseAll();
  tasks_.reset();
  DestroyWindows();
}

void MainFrame::FitTitleAndMenus() {
  // Wide enough for the whole menu bar on one line and the whole title
  // beside the title bar's buttons; never narrower than the stored size.
  const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
  const int buttons = 4 * style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int need = std::max(menuBar()->sizeHint().width(), title.horizontalAdvance(windowTitle()) + buttons);
  const int height = std::max(this->height(), menuBar()->sizeHint().height() + 48);
  if (width() < need || this->height() < height) resize(std::max(width(), need), height);
}

void MainFrame::DestroyWindows() {
  // Windows go before the documents they show.
  for (auto& [doc, w] : windows_) delete w;
  windows_.clear();
  delete help_;
}

void MainFrame::FirstIdle() {
  if (settings_.placement.maximized) showMaximized();
  if (!pending_.isEmpty()) {
    QString file = pending_;
    pending_.clear();
    (void)OpenByName(*app_, file.toStdString());
  }
}

void MainFrame::BuildMenus() {
  menuBar()->clear();
  for (QAction* a : hiddenAccelerators_) {
    removeAction(a);
    delete a;
  }
  hiddenAccelerators_.clear();
  actions_.clear();
  const Mode mode = app_->mode();
  const int bit = 1 << static_cast<int>(mode);
  auto addItem = [this](QMenu* menu, const Item& item) {
    if (item.id == 0) {
      menu->addSeparator();
      return;
    }
    QAction* a = menu->addAction(QString::fromUtf8(item.text));
    const int id = item.id;
    if (item.key) a->setShortcut(QKeySequence(QString::fromLatin1(item.key)));
    if (const CommandEntry* e = FindCommandById(id); e && e->checkable) a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, id] { Command(id); });
    actions_[id] = a;
  };
  QMenu* first = menuBar()->addMenu(mode == Mode::Integer ? "&Window" : "&Matrix");
  for (const Item& item : kFirstMenu)
    if (item.modes & bit) addItem(first, item);
  QMenu* calc = menuBar()->addMenu("&Calc");
  for (const Item& item : kCalcMenu)
    if (item.modes & bit) addItem(calc, item);
  oneMatrix_ = calc->addMenu("&One matrix");
  calc->addSeparator();
  addItem(calc, {kHelpCalc, "&Help", nullptr, kAll});
  view_ = menuBar()->addMenu("&View");
  viewSeparator_ = view_->addSeparator();
  addItem(view_, {kHelpView, "&0 = Help", nullptr, kAll});
  QMenu* help = menuBar()->addMenu("&Help");
  addItem(help, {kHelpProgram, "&Help", nullptr, kAll});
  addItem(help, {kAbout, "&About ...", nullptr, kAll});
  for (const auto& [id, key] : kAccelerators) {
    if (actions_.contains(id)) continue;
    auto* a = new QAction(this);
    a->setShortcut(QKeySequence(QString::fromLatin1(key)));
    const int command = id;
    connect(a, &QAction::triggered, this, [this, command] { Command(command); });
    addAction(a);
    hiddenAccelerators_.append(a);
    actions_[id] = a;
  }
  for (QMenu* m : {first, calc, view_, help, oneMatrix_})
    connect(m, &QMenu::aboutToShow, this, &MainFrame::UpdateCommandStates);
  builtMode_ = mode;
  menusBuilt_ = true;
  setWindowTitle(QString::fromStdString(Caption(*app_)));
  RebuildLetterMenus();
}

void MainFrame::RebuildLetterMenus() {
  for (int id = kViewFirst; id <= kOneMatrixLast; ++id) {
    if (QAction* a = actions_.value(id, nullptr)) {
      actions_.remove(id);
      delete a;
    }
  }
  oneMatrix_->clear();
  for (const LetterItem& item : LetterItems(*app_)) {
    const QString text = QString::fromStdString(item.text);
    auto* v = new QAction(text, view_);
    view_->insertAction(viewSeparator_, v);
    const int viewId = item.viewId, oneId = item.oneMatrixId;
    connect(v, &QAction::triggered, this, [this, viewId] { Command(viewId); });
    actions_[viewId] = v;
    QAction* o = oneMatrix_->addAction(text);
    connect(o, &QAction::triggered, this, [this, oneId] { Command(oneId); });
    actions_[oneId] = o;
  }
  UpdateCommandStates();
}

void MainFrame::UpdateCommandStates() {
  if (!menusBuilt_) return;
  const bool text = ClipboardHasText();
  for (auto it = actions_.begin(); it != actions_.end(); ++it) {
    it.value()->setEnabled(CommandEnabled(*app_, it.key(), text));
    if (it.value()->isCheckable()) it.value()->setChecked(CommandChecked(*app_, it.key()));
  }
}

void MainFrame::LetterMenusChanged() {
  if (!menusBuilt_) return;
  if (builtMode_ != app_->mode()) {
    BuildMenus();
    if (tasks_) tasks_->ModeChanged();
  } else {
    RebuildLetterMenus();
  }
  if (tasks_) tasks_->LettersChanged();
}

TextWindow* MainFrame::helpWindow() {
  if (!help_) help_ = new TextWindow(this, "help.txt", "help.txt", QString(), 4);
  return help_;
}

void MainFrame::ShowHelpPage(const QString& page) {
  QString text = HelpPageText(page);
  if (text.isEmpty()) {
    ShowCode(ResultCode::CannotOpenFile);
    return;
  }
  if (text.size() > 64000) {
    ShowCode(ResultCode::TooLarge);
    return;
  }
  TextWindow* w = helpWindow();
  w->SetFixedPitch(LinesUpInColumns(text));
  w->SetText(text);
  w->ShowWindow();
}

void MainFrame::Command(int id) {
  if (QAction* a = action(id)) {
    UpdateCommandStates();
    if (!a->isEnabled()) return;
  }
  Workspace& ws = app_->workspace();
  switch (id) {
    case kNew: tasks_->Show("NEWDLG"); return;
    case kOpen: (void)Open(*app_); return;
    case kPaste: {
      const QMimeData* mime = QApplication::clipboard()->mimeData();
      (void)Paste(*app_, mime && mime->hasText() ? ToProgramText(mime->text()) : std::string());
      return;
    }
    case kModeReal:
    case kModeComplex:
    case kModeInteger:
      if (IsOk(SwitchMode(*app_, static_cast<Mode>(id - kModeReal)))) {
        if (builtMode_ != app_->mode()) LetterMenusChanged();
      }
      UpdateCommandStates();
      return;
    case kRotate2D: tasks_->Show("ROT2D"); return;
    case kRotate3D: tasks_->Show("ROT3D"); return;
    case kIntegerRotate3D: tasks_->Show("IROT3D"); return;
    case kReflectProject: tasks_->Show("PROREF"); return;
    case kUnimodular: tasks_->Show("UNI"); return;
    case kFormula: tasks_->Show("FMLA"); return;
    case kCopyColumn: tasks_->Show("COPY"); return;
    case kWhiteBackgrounds: ToggleWhiteBackgrounds(*app_); UpdateCommandStates(); return;
    case kHelpFile: ShowHelpPage("TVFILEH"); return;
    case kHelpCalc: ShowHelpPage("TVCALCH"); return;
    case kHelpView: ShowHelpPage("TVVIEWH"); return;
    case kHelpProgram: ShowHelpPage("PROGHELP"); return;
    case kAbout: ShowAbout(this); return;
    case kExit: close(); return;
    case kCalculate: tasks_->Show("CALC"); return;
    case kSolve: tasks_->Show("SOLVE"); return;
    case kLinearProgram: OpenWindow(*app_, ws.lp()); tasks_->Show("LINPRO"); PlaceCompanion(ws.lp()); return;
    case kEchelon: OpenWindow(*app_, ws.echelon()); tasks_->Show("ECH"); PlaceCompanion(ws.echelon()); return;
    case kOperations: OpenWindow(*app_, ws.operations()); tasks_->Show("OPER"); PlaceCompanion(ws.operations()); return;
    default: break;
  }
  if (id >= kViewFirst && id <= kViewLast) {
    (void)View(*app_, id - kViewFirst + 1);
    return;
  }
  if (id >= kOneMatrixFirst && id <= kOneMatrixLast) {
    const int letter = id - kOneMatrixFirst + 1;
    std::string title, text;
    if (NotOk(Report(*app_, letter, title, text))) return;
    MatrixWindow* w = WindowOfLetter(letter);
    if (!w) return;
    TextWindow* t = w->textOutWindow();
    t->SetText(ProgramText(text));
    t->SetTitle(QString::fromStdString(title));
    t->SetFilePath("matdat.txt");
    t->ShowWindow();
  }
}

MatrixWindow* MainFrame::WindowOf(const MatrixDocument& doc) {
  auto it = windows_.find(&doc);
  if (it != windows_.end()) return it->second;
  auto* w = new MatrixWindow(*app_, doc, nullptr);
  windows_[&doc] = w;
  // Each new window a step further down and right from the main frame, so
  // that neither the frame nor the earlier windows are covered whole.
  // A window read from a file keeps the placement the file stored.
  const QRect screen = w->screen() ? w->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  if (!w->placedFromFile()) w->move(CascadePosition(frameGeometry(), cascade_++, w->frameGeometry().size(), screen));
  return w;
}

MatrixWindow* MainFrame::WindowOfLetter(int letter) {
  const MatrixDocument* doc = std::as_const(app_->workspace()).Lookup(letter);
  return doc ? WindowOf(*doc) : nullptr;
}

bool MainFrame::Busy() const { return LongWorkRunning() || QApplication::activeModalWidget() != nullptr; }

void MainFrame::OpenWhenIdle() {
  const QStringList handed = std::exchange(waiting_, {}), dropped = std::exchange(waitingDrops_, {});
  for (const QString& file : dropped) (void)OpenByName(*app_, file.toStdString());
  for (const QString& file : handed) OpenHandedOver(file);
}

void MainFrame::OpenHandedOver(const QString& fileName) {
  // A file may replace a matrix or make a window: not in the middle of a
  // command (long work, or a question still open).
  if (Busy()) {
    waiting_ << fileName;
    waitTimer_->start();
    return;
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  if (fileName.size() >= 2) (void)OpenByName(*app_, fileName.toStdString());
}

Answer MainFrame::Ask(const std::string& question, bool withCancel) {
  return AskBox(QApplication::activeWindow(), QString::fromStdString(question), withCancel);
}

void MainFrame::ShowCode(ResultCode code) {
  if (IsError(code)) ShowCodeBox(QApplication::activeWindow(), code);
}

void MainFrame::ShowCodeAt(ResultCode code, const std::string& place) {
  if (IsError(code)) ShowCodeBox(QApplication::activeWindow(), code, place);
}

void MainFrame::ShowNotice(const std::string& text) {
  // The only notice is the export's "TeX file saved", a success box.
  NoticeBox(QApplication::activeWindow(), "success", QString::fromStdString(text));
}

bool MainFrame::ChooseFile(bool save, const std::string& filter, const std::string& initial, std::string& path) {
  QWidget* parent = QApplication::activeWindow();
  QString chosen = save ? QFileDialog::getSaveFileName(parent, QString(), QString::fromStdString(initial),
                                                       QtFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite)
                        : QFileDialog::getOpenFileName(parent, QString(), QString::fromStdString(initial),
                                                       QtFilter(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

void MainFrame::DocumentCreated(const MatrixDocument& doc) { WindowOf(doc); }

void MainFrame::DocumentChanged(const MatrixDocument& doc) {
  WindowOf(doc)->Refresh();
  if (tasks_) tasks_->LettersChanged();  // sizes in the letter lists
}

void MainFrame::ShowDocument(const MatrixDocument& doc) {
  MatrixWindow* w = WindowOf(doc);
  w->Refresh();
  if (doc.letter() == 0) {
    // A companion window shows its dialog's work: it appears beside the
    // dialog and leaves the keyboard there, so Enter repeats a step.
    const bool wasVisible = w->isVisible();
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->show();
    if (!wasVisible) w->raise();
    PlaceCompanion(doc);
    return;
  }
  // A result of a dialog's command (the dialog in use is the active window)
  // appears beside that dialog and leaves it the keyboard; one asked for
  // from a menu comes to the front with the keyboard.
  TaskDialog* dialog = DialogInUse();
  w->setAttribute(Qt::WA_ShowWithoutActivating, dialog != nullptr);
  w->show();
  w->raise();
  if (dialog) {
    PlaceOffDialog(w, dialog);
  } else {
    w->activateWindow();
  }
}

TaskDialog* MainFrame::DialogInUse() const {
  // A question the command asked (overwrite?) has just closed: the window
  // that was active before it is the one in use.
  QWidget* active = QApplication::activeWindow();
  if (!active || active->isModal()) active = lastActive_;
  auto* dialog = qobject_cast<TaskDialog*>(active);
  return dialog && dialog->isVisible() ? dialog : nullptr;
}

QDialog* MainFrame::DialogOfCompanion(const MatrixDocument& doc) const {
  const Workspace& ws = app_->workspace();
  const char* name = &doc == &ws.lp() ? "LINPRO" : &doc == &ws.echelon() ? "ECH" : &doc == &ws.operations() ? "OPER" : nullptr;
  return name && tasks_ ? tasks_->Find(QString::fromLatin1(name)) : nullptr;
}

void MainFrame::PlaceCompanion(const MatrixDocument& doc) {
  auto it = windows_.find(&doc);
  if (it != windows_.end()) PlaceOffDialog(it->second, DialogOfCompanion(doc));
}

void MainFrame::PlaceOffDialog(MatrixWindow* w, const QDialog* dialog) {
  if (!dialog || !dialog->isVisible() || !w->isVisible()) return;
  const QRect d = dialog->frameGeometry();
  if (!w->frameGeometry().intersects(d)) return;
  const QRect screen = dialog->screen() ? dialog->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize frame = w->frameGeometry().size() - w->size();
  const QRect r = PlaceBeside(d, w->frameGeometry().size(), screen);
  w->resize(r.size() - frame);
  w->move(r.topLeft());
}

void MainFrame::HideDocument(const MatrixDocument& doc) {
  MatrixWindow* w = WindowOf(doc);
  w->HideCompanions();
  w->hide();
}

bool MainFrame::AskTextWindowsToSave() {
  bool goOn = true;
  app_->workspace().ForEachInClosingOrder([&](const MatrixDocument& doc) {
    auto it = windows_.find(&doc);
    if (goOn && it != windows_.end()) goOn = it->second->AskTextWindowsToSave();
  });
  return goOn && (!help_ || help_->AskSaveChanges());
}

void MainFrame::closeEvent(QCloseEvent* e) {
  // Modified text windows (text out, reports, opened text) ask as well,
  // whatever the answer to the matrices' questions was.
  if (!RequestClose(*app_) || !AskTextWindowsToSave()) {
    e->ignore();
    return;
  }
  e->accept();
  if (tasks_) tasks_->CloseAll();
  for (auto& [doc, w] : windows_) {
    w->HideCompanions();
    w->hide();
  }
  if (help_) help_->hide();
}

void MainFrame::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* e) {
  OpenDropped(e->mimeData()->urls());
  e->acceptProposedAction();
}

void MainFrame::OpenDropped(const QList<QUrl>& urls) {
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    if (Busy()) {
      waitingDrops_ << url.toLocalFile();
      waitTimer_->start();
    } else {
      (void)OpenByName(*app_, url.toLocalFile().toStdString());
    }
  }
}

}  // namespace tavrin
