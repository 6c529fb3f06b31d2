#pragma once
#include <QRect>
#include <QSize>

namespace tavrin {

// Where a companion window of `size` (outer frame) goes so that it does not
// cover `dialog`: to its right, else its left, below, above, all within
// `screen`. When no side has room it takes the side with the most room and
// shrinks to fit it.
QRect PlaceBeside(const QRect& dialog, const QSize& size, const QRect& screen, int gap = 8);

// The n-th matrix window's top left corner, cascading down and right from
// the main frame's lower left corner and starting over before it would
// leave the screen.
QPoint CascadePosition(const QRect& mainFrame, int n, const QSize& size, const QRect& screen, int step = 28);

}  // namespace tavrin
