#include "ui/ScrollingView.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "ui/Dialogs.h"
#include "ui/Messages.h"
#include "ui/NotebookWindow.h"
#include "ui/PaletteWindow.h"
#include "ui/TextWindow.h"

namespace tavrin {

class ViewCanvas : public QWidget {
 public:
  explicit ViewCanvas(ScrollingView& v, QWidget* parent) : QWidget(parent), v_(v) {
    setObjectName("canvas");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.drawImage(e->rect(), v_.Picture(), e->rect());
  }
  void mousePressEvent(QMouseEvent* e) override {
    setFocus(Qt::MouseFocusReason);
    v_.CanvasMousePress(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (!v_.CanvasKeyPress(e)) QWidget::keyPressEvent(e);
  }
  void wheelEvent(QWheelEvent* e) override {
    if (!v_.CanvasWheel(e)) QWidget::wheelEvent(e);
  }
  // Tab and Shift+Tab move the grid's cursor rather than the focus.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  ScrollingView& v_;
};

namespace {
class ViewArea : public QWidget {
 public:
  ViewArea(ScrollingView& v, std::function<void()> resized) : QWidget(&v), resized_(std::move(resized)) {
    setObjectName("area");
  }

 protected:
  void resizeEvent(QResizeEvent*) override { resized_(); }

 private:
  std::function<void()> resized_;
};
}  // namespace

ScrollingView::ScrollingView(Application& app, const MatrixDocument& doc, QWidget* parent)
    : QMainWindow(parent, Qt::Window), app_(app), doc_(doc) {
  setAttribute(Qt::WA_QuitOnClose, false);
  area_ = new ViewArea(*this, [this] { AreaResized(); });
  setCentralWidget(area_);
  canvas_ = new ViewCanvas(*this, area_);
  setFocusProxy(canvas_);
  hbar_ = new QScrollBar(Qt::Horizontal, area_);
  vbar_ = new QScrollBar(Qt::Vertical, area_);
  hbar_->setObjectName("horizontal");
  vbar_->setObjectName("vertical");
  hbar_->hide();
  vbar_->hide();
  connect(hbar_, &QScrollBar::valueChanged, this, [this] { ScrollBarsMoved(); });
  connect(vbar_, &QScrollBar::valueChanged, this, [this] { ScrollBarsMoved(); });
}

ScrollingView::~ScrollingView() = default;

MatrixDocument& ScrollingView::Writable() const { return app_.workspace().Writable(doc_); }

int ScrollingView::BarExtent() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

QSize ScrollingView::AreaSize() const { return area_->size(); }

void ScrollingView::ArrangeArea(int drawW, int drawH, bool hBar, bool vBar) {
  drawW_ = std::max(1, drawW);
  drawH_ = std::max(1, drawH);
  canvas_->setGeometry(0, 0, drawW_, drawH_);
  int bar = BarExtent();
  hbar_->setGeometry(0, drawH_, drawW_, bar);
  vbar_->setGeometry(drawW_, 0, bar, drawH_);
  hbar_->setVisible(hBar);
  vbar_->setVisible(vBar);
}

const QImage& ScrollingView::Picture() {
  if (stale_ || picture_.size() != QSize(drawW_, drawH_)) {
    picture_ = QImage(drawW_, drawH_, QImage::Format_RGB32);
    QPainter p(&picture_);
    DrawPicture(p);
    stale_ = false;
    ++redrawCount_;
  }
  return picture_;
}

void ScrollingView::MarkStale() {
  stale_ = true;
  canvas_->update();
}

TextWindow* ScrollingView::helpWindow() {
  if (!help_) help_ = new TextWindow(this, "help.txt", "help.txt", QString(), 4);
  return help_;
}

TextWindow* ScrollingView::textOutWindow() {
  if (!textOut_) {
    textOut_ = new TextWindow(this, "noname.txt", "noname.txt", QString(), textFontIndex_);
    textOut_->fonts() = doc_.appearance;
    textOut_->ApplyFont();
  }
  return textOut_;
}

NotebookWindow* ScrollingView::notebook() {
  if (!notebook_) {
    notebook_ = new NotebookWindow(this, app_, doc_, textFontIndex_);
    notebook_->fonts() = doc_.appearance;
    notebook_->ApplyFont();
  }
  return notebook_;
}

PaletteWindow* ScrollingView::paletteWindow() {
  if (!palette_) palette_ = new PaletteWindow(this, doc_.appearance, [this](const WindowAppearance& chosen) {
      SetAppearance(app_, Writable(), chosen);
      MarkStale();
    });
  return palette_;
}

void ScrollingView::HideCompanions() {
  for (QWidget* w : std::initializer_list<QWidget*>{help_, textOut_, notebook_, palette_})
    if (w) w->hide();
}

bool ScrollingView::AskTextWindowsToSave() {
  // The notebook never asks: its text goes with the matrix file.
  for (TextWindow* w : std::initializer_list<TextWindow*>{help_, textOut_})
    if (w && !w->AskSaveChanges()) return false;
  return true;
}

void ScrollingView::ShowHelp(const QString& page) {
  QString text = HelpPageText(page);
  if (text.isEmpty()) {
    ShowCodeBox(this, ResultCode::CannotOpenFile);
    return;
  }
  if (text.size() > 64000) {
    ShowCodeBox(this, ResultCode::TooLarge);
    return;
  }
  TextWindow* w = helpWindow();
  w->SetFixedPitch(LinesUpInColumns(text));
  w->SetText(text);
  w->ShowWindow();
}

void ScrollingView::BitmapToClipboard() {
  QImage copy = Picture().copy();
  if (copy.isNull()) {
    ShowCodeBox(this, ResultCode::LowMemory);
    return;
  }
  QApplication::clipboard()->setImage(copy);
}

}  // namespace tavrin
