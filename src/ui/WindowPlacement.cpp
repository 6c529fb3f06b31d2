#include "ui/WindowPlacement.h"

#include <algorithm>

namespace tavrin {

QRect PlaceBeside(const QRect& dialog, const QSize& size, const QRect& screen, int gap) {
  const int right = screen.right() + 1 - (dialog.right() + 1 + gap);
  const int left = dialog.left() - gap - screen.left();
  const int below = screen.bottom() + 1 - (dialog.bottom() + 1 + gap);
  const int above = dialog.top() - gap - screen.top();
  auto clampY = [&](int y, int h) { return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - h)); };
  auto clampX = [&](int x, int w) { return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - w)); };
  const int w = size.width(), h = size.height();
  if (right >= w) return QRect(dialog.right() + 1 + gap, clampY(dialog.top(), h), w, h);
  if (left >= w) return QRect(dialog.left() - gap - w, clampY(dialog.top(), h), w, h);
  if (below >= h) return QRect(clampX(dialog.left(), w), dialog.bottom() + 1 + gap, w, h);
  if (above >= h) return QRect(clampX(dialog.left(), w), dialog.top() - gap - h, w, h);
  // No side is wide enough: the roomiest one, the window shrunk to it.
  const int best = std::max({right, left, below, above});
  const int sh = std::min(h, screen.height()), sw = std::min(w, screen.width());
  if (best == right) return QRect(dialog.right() + 1 + gap, clampY(dialog.top(), sh), std::max(1, right), sh);
  if (best == left) return QRect(screen.left(), clampY(dialog.top(), sh), std::max(1, left), sh);
  if (best == below) return QRect(clampX(dialog.left(), sw), dialog.bottom() + 1 + gap, sw, std::max(1, below));
  return QRect(clampX(dialog.left(), sw), screen.top(), sw, std::max(1, above));
}

QPoint CascadePosition(const QRect& mainFrame, int n, const QSize& size, const QRect& screen, int step) {
  const QPoint start(std::max(screen.left(), mainFrame.left()), std::max(screen.top(), mainFrame.bottom() + 1));
  // How many steps fit before the window would run off the screen.
  const int roomX = (screen.right() + 1 - size.width() - start.x()) / step;
  const int roomY = (screen.bottom() + 1 - size.height() - start.y()) / step;
  const int fit = std::max(1, std::min(roomX, roomY) + 1);
  const int k = n % fit;
  QPoint p = start + QPoint(k * step, k * step);
  p.setX(std::clamp(p.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())));
  p.setY(std::clamp(p.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
  return p;
}

}  // namespace tavrin
