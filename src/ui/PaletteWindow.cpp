#include "ui/PaletteWindow.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ResultCode.h"
#include "ui/Fonts.h"
#include "ui/Messages.h"

namespace tavrin {

class PaletteGrid : public QWidget {
 public:
  explicit PaletteGrid(PaletteWindow& w) : QWidget(&w), w_(w) { setObjectName("paletteGrid"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    int sel = w_.appearance_.colourSlots[w_.slot_];
    auto cell = [&](int column, int row, int index, int columns = 1) {
      QRect r = w_.CellRect(column, row);
      r.setWidth(r.width() * columns);
      r.adjust(2, 2, -2, -2);
      p.fillRect(r, ColourOf(w_.palette_[index]));
      p.setPen(index == sel && columns == 1 ? QPen(Qt::black, 3) : QPen(Qt::gray, 1));
      p.drawRect(r);
    };
    cell(3, 1, sel >= 0 && sel <= 27 ? sel : 0, 5);
    cell(1, 2, 0);
    for (int i = 1; i <= 27; ++i) cell((i - 1) % 9 + 1, 3 + (i - 1) / 9, i);
  }
  void mousePressEvent(QMouseEvent* e) override {
    int index = w_.IndexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && index >= 0) w_.Select(index);
    if (e->button() == Qt::RightButton && index == -2) w_.EditSelected();
  }

 private:
  PaletteWindow& w_;
};

PaletteWindow::PaletteWindow(QWidget* owner, const WindowAppearance& appearance,
                             std::function<void(const WindowAppearance&)> change)
    : QMainWindow(owner, Qt::Window), appearance_(appearance), change_(std::move(change)) {
  setObjectName("PaletteWindow");
  setAttribute(Qt::WA_QuitOnClose, false);
  palette_ = appearance_.palette;
  grid_ = new PaletteGrid(*this);
  setCentralWidget(grid_);
  QAction* close = menuBar()->addAction("&Close");
  connect(close, &QAction::triggered, this, &QWidget::hide);
  resize(330, 230);
}

PaletteWindow::~PaletteWindow() = default;

void PaletteWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  hide();
}

void PaletteWindow::OpenForSlot(int k, const QString& title) {
  slot_ = std::clamp(k, 0, 14);
  palette_ = appearance_.palette;
  setWindowTitle(title);
  show();
  raise();
  grid_->update();
}

QRect PaletteWindow::CellRect(int column, int row) const {
  int cw = std::max(1, grid_->width() / 11), ch = std::max(1, grid_->height() / 7);
  return QRect(column * cw, row * ch, cw, ch);
}

int PaletteWindow::IndexAt(QPoint p) const {
  int cw = std::max(1, grid_->width() / 11), ch = std::max(1, grid_->height() / 7);
  if (p.x() < 0 || p.y() < 0) return -1;
  int column = p.x() / cw, row = p.y() / ch;
  if (row == 1 && column >= 3 && column <= 7) return -2;
  if (row == 2 && column == 1) return 0;
  if (row >= 3 && row <= 5 && column >= 1 && column <= 9) return (row - 3) * 9 + column;
  return -1;
}

void PaletteWindow::Select(int index) {
  if (index < 0 || index > 27) return;
  WindowAppearance chosen = appearance_;
  chosen.colourSlots[slot_] = static_cast<int16_t>(index);
  if (change_) change_(chosen);
  grid_->update();
  if (rgb_ && rgb_->isVisible()) {
    if (index == 0 || index == 27)
      rgb_->hide();
    else
      rgb_->ShowEntry(index);
  }
}

void PaletteWindow::EditSelected() {
  int index = appearance_.colourSlots[slot_];
  if (index <= 0 || index >= 27) return;  // black and white stay as they are
  if (!rgb_) rgb_ = new RgbValuesBox(*this);
  rgb_->ShowEntry(index);
  rgb_->show();
  rgb_->raise();
}

void PaletteWindow::SetEntry(int index, uint32_t bgr) {
  if (index < 1 || index > 26) return;
  palette_[index] = bgr;
  WindowAppearance chosen = appearance_;
  chosen.palette[index] = bgr;
  if (change_) change_(chosen);
  grid_->update();
}

RgbValuesBox::RgbValuesBox(PaletteWindow& owner) : QDialog(&owner), owner_(owner) {
  setObjectName("RGB");
  setWindowTitle("RGB values");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  red = new QLineEdit(this);
  green = new QLineEdit(this);
  blue = new QLineEdit(this);
  for (QLineEdit* e : {red, green, blue}) e->setMaxLength(30);
  red->setObjectName("red");
  green->setObjectName("green");
  blue->setObjectName("blue");
  form->addRow("red", red);
  form->addRow("green", green);
  form->addRow("blue", blue);
  layout->addLayout(form);
  auto* row = new QHBoxLayout;
  auto* apply = new QPushButton("apply", this);
  auto* close = new QPushButton("close", this);
  apply->setObjectName("apply");
  apply->setDefault(true);
  row->addWidget(apply);
  row->addWidget(close);
  layout->addLayout(row);
  connect(apply, &QPushButton::clicked, this, &RgbValuesBox::Apply);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void RgbValuesBox::ShowEntry(int index) {
  index_ = index;
  QColor c = ColourOf(owner_.palette()[index]);
  red->setText(QString::number(c.red()));
  green->setText(QString::number(c.green()));
  blue->setText(QString::number(c.blue()));
}

bool RgbValuesBox::Apply() {
  int v[3];
  QLineEdit* edits[3] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    v[i] = AsciiToInt(edits[i]->text());
    if (v[i] < 0 || v[i] > 255) {
      ShowCodeBox(this, ResultCode::OutOfBounds);
      return false;
    }
  }
  owner_.SetEntry(index_, Rgb(v[0], v[1], v[2]));
  return true;
}

}  // namespace tavrin
