// The matrix window's grid as desktop users expect it: a cell cursor moved
// by keys, editing started by typing or F2, the wheel, block copy.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/Application.h"
#include "app/commands/Commands.h"
#include "app/commands/CopyAsText.h"
#include "io/WindowAppearance.h"
#include "ui/Fonts.h"
#include "ui/Messages.h"
#include "ui/MatrixWindow.h"

namespace tavrin {

void MatrixWindow::ClampCursor() {
  cursorRow_ = std::clamp(cursorRow_, 0, std::max(0, doc_.rows() - 1));
  cursorCol_ = std::clamp(cursorCol_, 0, std::max(0, doc_.cols() - 1));
  if (anchorRow_ >= doc_.rows() || anchorCol_ >= doc_.cols()) anchorRow_ = anchorCol_ = -1;
}

void MatrixWindow::MoveCursor(int row, int col, bool extend) {
  if (extend && anchorRow_ < 0) {
    anchorRow_ = cursorRow_;
    anchorCol_ = cursorCol_;
  } else if (!extend) {
    anchorRow_ = anchorCol_ = -1;
  }
  cursorRow_ = row;
  cursorCol_ = col;
  ClampCursor();
  // The least scrolling that shows the cursor's cell.
  int top = firstRow_, left = firstCol_;
  if (cursorRow_ < top) top = cursorRow_;
  if (cursorRow_ >= top + m_.visibleRows) top = cursorRow_ - m_.visibleRows + 1;
  if (cursorCol_ < left) left = cursorCol_;
  if (cursorCol_ >= left + m_.visibleCols) left = cursorCol_ - m_.visibleCols + 1;
  if (top != firstRow_ || left != firstCol_)
    ScrollTo(top, left);
  else
    MarkStale();
}

bool MatrixWindow::CanvasKeyPress(QKeyEvent* e) {
  if (editing()) return false;
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = mods & Qt::ControlModifier;
  const int page = std::max(1, m_.visibleRows);
  const int r = cursorRow_, c = cursorCol_;
  if (mods == Qt::NoModifier || mods == Qt::ControlModifier) {
    switch (e->key()) {
      case Qt::Key_Up: MoveCursor(r - 1, c); return true;
      case Qt::Key_Down: MoveCursor(r + 1, c); return true;
      case Qt::Key_Left: MoveCursor(r, c - 1); return true;
      case Qt::Key_Right: MoveCursor(r, c + 1); return true;
      case Qt::Key_PageUp: MoveCursor(r - page, c); return true;
      case Qt::Key_PageDown: MoveCursor(r + page, c); return true;
      case Qt::Key_Home: ctrl ? MoveCursor(0, 0) : MoveCursor(r, 0); return true;
      case Qt::Key_End: ctrl ? MoveCursor(doc_.rows() - 1, doc_.cols() - 1) : MoveCursor(r, doc_.cols() - 1); return true;
      default: break;
    }
  }
  if (mods == Qt::NoModifier) {
    switch (e->key()) {
      case Qt::Key_Tab: MoveCursor(r, c + 1); return true;
      case Qt::Key_Escape: MoveCursor(r, c); return true;  // drops the block
      case Qt::Key_F2:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        BeginEdit(r, c, false);
        if (editBox_) editBox_->deselect(), editBox_->end(false);
        return true;
      default: break;
    }
  }
  if (e->key() == Qt::Key_Backtab) {
    MoveCursor(r, c - 1);
    return true;
  }
  if (ctrl && e->key() == Qt::Key_A) {
    anchorRow_ = anchorCol_ = 0;
    MoveCursor(doc_.rows() - 1, doc_.cols() - 1, true);
    return true;
  }
  // Typing over a cell starts its edit with what was typed.
  const QString typed = e->text();
  if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !typed.isEmpty() &&
      typed.at(0).isPrint()) {
    BeginEdit(r, c, false);
    if (editBox_) editBox_->setText(typed);
    return true;
  }
  return false;
}

bool MatrixWindow::CanvasWheel(QWheelEvent* e) {
  QPoint steps = e->angleDelta() / 120;
  if (steps.isNull()) steps = e->pixelDelta() / std::max(1, m_.cellHeight);
  // Shift turns the wheel sideways, as in other programs.
  if (e->modifiers() & Qt::ShiftModifier) steps = QPoint(steps.y(), steps.x());
  if (steps.isNull()) return true;
  if (steps.y() != 0) vbar_->setValue(vbar_->value() - 3 * steps.y());
  if (steps.x() != 0) hbar_->setValue(hbar_->value() - steps.x());
  return true;
}

void MatrixWindow::CommitAndMove(int dRow, int dCol) {
  const int row = editRow_, col = editCol_;
  const bool entry = !editDenominator_;
  autofeed_ = false;
  AcceptEdit();
  if (editing()) return;  // refused: the box stays for correction
  if (entry) MoveCursor(row + dRow, col + dCol);
  canvas_->setFocus();
}

void MatrixWindow::CopyBlockCommand() {
  if (editing()) return;
  std::string text;
  const bool block = anchorRow_ >= 0;
  const ResultCode rc = block ? CopyAsText(doc_, CopyAsKind::Tsv, anchorRow_, anchorCol_, cursorRow_, cursorCol_, text)
                              : CopyAsText(doc_, CopyAsKind::Tsv, text);
  if (IsError(rc)) {
    app_.port().ShowCode(rc);
    return;
  }
  QApplication::clipboard()->setText(ProgramText(text));
}

void MatrixWindow::DrawCursor(QPainter& p) {
  ClampCursor();
  const int lastCol = std::min(m_.visibleCols - 1, doc_.cols() - 1 - firstCol_);
  const int lastRow = std::min(m_.visibleRows - 1, doc_.rows() - 1 - firstRow_);
  auto visible = [&](int r, int c) { return r >= 0 && c >= 0 && r <= lastRow && c <= lastCol; };
  const WindowAppearance& a = doc_.appearance;
  const QColor border = ColourOf(a.PaletteEntry(a.colourSlots[9]));
  if (anchorRow_ >= 0) {
    // The block: a tint of the border colour over its visible cells.
    QColor tint = border;
    tint.setAlpha(40);
    const int r0 = std::min(anchorRow_, cursorRow_) - firstRow_, r1 = std::max(anchorRow_, cursorRow_) - firstRow_;
    const int c0 = std::min(anchorCol_, cursorCol_) - firstCol_, c1 = std::max(anchorCol_, cursorCol_) - firstCol_;
    const QRect block = CellRect(std::max(0, r0), std::max(0, c0))
                            .united(CellRect(std::min(lastRow, r1), std::min(lastCol, c1)));
    if (r1 >= 0 && c1 >= 0 && r0 <= lastRow && c0 <= lastCol) p.fillRect(block, tint);
  }
  const int r = cursorRow_ - firstRow_, c = cursorCol_ - firstCol_;
  if (!visible(r, c)) return;
  QPen pen(border, 2);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(CellRect(r, c).adjusted(1, 1, -1, -1));
}

}  // namespace tavrin
