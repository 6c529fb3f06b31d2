#pragma once
#include <QMap>
#include <QPointer>
#include <QString>

#include "app/commands/CopyAsText.h"
#include "ui/ScrollingView.h"

#include <QLineEdit>
class QMenu;

namespace tavrin {

// One matrix document on screen: the entry grid with row numbers on the
// left, column numbers at the bottom, slash marks for hidden rows and
// columns, and in integer mode the denominator line. Close only hides it.
class MatrixWindow : public ScrollingView {
  Q_OBJECT
 public:
  MatrixWindow(Application& app, const MatrixDocument& doc, QWidget* parent = nullptr);
  ~MatrixWindow() override;

  // Layout metrics (pixels) and the scroll position.
  struct Metrics {
    int cellWidth = 1, cellHeight = 1, rowIndexWidth = 0, columnIndexWidth = 0;
    int screenMargin = 0, gap = 4, gridLeft = 0, gridTop = 0;
    int visibleRows = 1, visibleCols = 1;
  };
  const Metrics& metrics() const { return m_; }
  // Every text of the last drawn picture with the point it ends at (right
  // edge, top): what the window shows, readable without looking at pixels.
  struct DrawnText {
    QString text;
    QPoint at;
  };
  const QVector<DrawnText>& drawnTexts() const { return drawn_; }
  int firstRow() const { return firstRow_; }
  int firstCol() const { return firstCol_; }

  // Recomputes the metrics, visible counts and scroll bars, and repaints.
  void Relayout();
  // The document changed outside: layout, caption, notebook title.
  void Refresh();
  void UpdateCaption();
  // Whether the window took the placement stored in its file.
  bool placedFromFile() const { return placedFromFile_; }
  // The title without marks: the letter, with the mode outside real mode.
  QString BaseTitle() const;

  // Entry editing. Row -1 with column -1 means the denominator. The box
  // opens with the entry at full precision; Enter stores its text, a
  // refused text leaves the box open, Esc closes it unchanged.
  void BeginEdit(int row, int col, bool autofeed);
  void AcceptEdit();
  void CancelEdit();
  bool editing() const { return editBox_ != nullptr; }
  bool autofeed() const { return autofeed_; }
  QLineEdit* editBox() const { return editBox_; }
  bool colByCol() const { return colByCol_; }
  void SetColByCol(bool on) { colByCol_ = on; }
  // Cell under a point of the drawing: false when none; denominator set for the denominator cell.
  bool HitTest(QPoint p, int& row, int& col, bool& denominator) const;
  // Rectangle of the cell of visible slot (r, c).
  QRect CellRect(int r, int c) const;

  // The grid's cell cursor and the selected block (anchor to cursor; the
  // anchor is -1 when only the cursor's cell is selected).
  int cursorRow() const { return cursorRow_; }
  int cursorCol() const { return cursorCol_; }
  bool hasBlock() const { return anchorRow_ >= 0; }
  // Moves the cursor, scrolling it into view; extend keeps the anchor.
  void MoveCursor(int row, int col, bool extend = false);
  // Copies the selected block, or the whole matrix, as tab-separated text.
  void CopyBlockCommand();

  // Commands.
  void Shift(int dRow, int dCol);
  void TextOutCommand();
  void SaveCommand(bool saveAs);
  void CopyAsCommand(CopyAsKind kind);
  // Companion windows: the step log as text, and its LaTeX on the clipboard.
  void StepsCommand();
  void CopyStepsCommand();
  void NotesCommand();
  void CloseCommand();
  void DimensionsCommand();
  void RemoveCommand(bool columns);
  void InsertCommand(bool column);
  void ExchangeCommand(bool columns);
  void UndoCommand();
  void RedoCommand();
  // Pastes a tab- or comma-separated block at the cursor, one undoable step.
  void PasteBlockCommand();
  void FormatCommand();
  void HyphenCommand();
  void FontCommand(int k);
  void ColourCommand(int slot);
  QString HelpPage(int menu) const;  // 0 File, 1 Edit, 2 Misc
  // The menu's action with this command id, or nullptr.
  QAction* action(int id) const;
  void UpdateEnabling();

 protected:
  void DrawPicture(QPainter& p) override;
  void AreaResized() override;
  void CanvasMousePress(QMouseEvent* e) override;
  bool CanvasKeyPress(QKeyEvent* e) override;
  bool CanvasWheel(QWheelEvent* e) override;
  void ScrollBarsMoved() override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void BuildMenu();
  void ComputeMetrics(int W, int H);
  void SyncPlacement();
  void SaveWindowSettingsQuietly();
  void AfterStructuralChange(ResultCode rc, bool relayout = true);
  // Commits the open entry edit for a key that leaves it (Enter, Tab) and
  // moves the cursor by (dRow, dCol) when the edit was taken.
  void CommitAndMove(int dRow, int dCol);
  void ClampCursor();
  // Makes (row, col) the first shown entry: bars, enabling, picture.
  void ScrollTo(int row, int col);
  void DrawCursor(QPainter& p);
  // The entry editor's parts.
  QRect EditCellRect() const;
  void OpenEditBox(const QRect& cell, const QString& text);
  void CloseEditBox();
  bool ContinueAutofeed();  // opens the next autofeed box; false after the last entry

  Metrics m_;
  int firstRow_ = 0, firstCol_ = 0;
  bool colByCol_ = true;
  int cursorRow_ = 0, cursorCol_ = 0, anchorRow_ = -1, anchorCol_ = -1;
  bool autofeed_ = false;
  int editRow_ = 0, editCol_ = 0;
  bool editDenominator_ = false;
  std::string editShown_;  // the text the open box started with
  QPointer<QLineEdit> editBox_;
  bool settingBars_ = false;
  std::string placedFile_;
  QRect placedRect_;
  bool placedFromFile_ = false;
  bool saving_ = false;
  QMap<int, QAction*> actions_;
  QVector<DrawnText> drawn_;
};

}  // namespace tavrin
