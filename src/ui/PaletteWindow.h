#pragma once
#include <QDialog>
#include <QMainWindow>
#include <functional>

#include "io/WindowAppearance.h"

class QLineEdit;

namespace tavrin {

class PaletteWindow;

// "RGB values": edits one palette entry of the palette window.
class RgbValuesBox : public QDialog {
  Q_OBJECT
 public:
  explicit RgbValuesBox(PaletteWindow& owner);
  void ShowEntry(int index);
  int index() const { return index_; }
  // Reads the three boxes; false (after "out of bounds") when one is outside 0..255.
  bool Apply();
  QLineEdit* red;
  QLineEdit* green;
  QLineEdit* blue;

 private:
  PaletteWindow& owner_;
  int index_ = 1;
};

// The colour picker of a window: 11 x 7 cells, the selected colour's swatch
// in row 1, black in row 2, palette entries 1..27 in rows 3 to 5.
class PaletteWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The window shows the owner's appearance and hands each choice, as the
  // whole appearance it makes, to change (the owner's command).
  PaletteWindow(QWidget* owner, const WindowAppearance& appearance,
                std::function<void(const WindowAppearance&)> change);
  ~PaletteWindow() override;

  // Shows the window for colour slot k with the given title.
  void OpenForSlot(int k, const QString& title);
  int slot() const { return slot_; }
  int selected() const { return appearance_.colourSlots[slot_]; }
  // Palette index under a point of the grid, -1 for none; -2 for the swatch.
  int IndexAt(QPoint p) const;
  QRect CellRect(int column, int row) const;
  void Select(int index);
  void EditSelected();  // right click on the swatch
  void SetEntry(int index, uint32_t bgr);
  RgbValuesBox* rgbBox() const { return rgb_; }
  QWidget* grid() const { return grid_; }
  const std::array<uint32_t, 28>& palette() const { return palette_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  friend class PaletteGrid;
  const WindowAppearance& appearance_;
  std::function<void(const WindowAppearance&)> change_;
  std::array<uint32_t, 28> palette_{};
  int slot_ = 0;
  QWidget* grid_;
  RgbValuesBox* rgb_ = nullptr;
};

}  // namespace tavrin
