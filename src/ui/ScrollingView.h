#pragma once
#include <QImage>
#include <QMainWindow>
#include <QPointer>

class QScrollBar;

namespace tavrin {

class Application;
class MatrixDocument;
class TextWindow;
class NotebookWindow;
class PaletteWindow;

// A resizable window that draws one picture into an off-screen image of its
// drawing size and copies it to the screen, redrawing only when the picture
// went stale. It carries two scroll bars of its own, and the companion
// windows of the family: help and text-out windows, the notebook and the
// palette window.
class ScrollingView : public QMainWindow {
  Q_OBJECT
 public:
  ScrollingView(Application& app, const MatrixDocument& doc, QWidget* parent);
  ~ScrollingView() override;

  // The window only reads its document; commands change it.
  const MatrixDocument& document() const { return doc_; }
  Application& app() { return app_; }
  // The picture, redrawn first when stale.
  const QImage& Picture();
  void MarkStale();
  bool pictureStale() const { return stale_; }
  int redrawCount() const { return redrawCount_; }
  int drawingWidth() const { return drawW_; }
  int drawingHeight() const { return drawH_; }
  QWidget* canvas() const { return canvas_; }
  QScrollBar* horizontalBar() const { return hbar_; }
  QScrollBar* verticalBar() const { return vbar_; }

  TextWindow* helpWindow();
  TextWindow* textOutWindow();
  NotebookWindow* notebook();
  PaletteWindow* paletteWindow();
  // Hides every companion window that is open.
  void HideCompanions();
  // The save question of each modified help or text-out window before the
  // program ends: false when one was cancelled or its save did not happen.
  bool AskTextWindowsToSave();

  // Help page in the help window ("cannot open file" when missing).
  void ShowHelp(const QString& page);
  // Puts the picture on the clipboard.
  void BitmapToClipboard();

 protected:
  friend class ViewCanvas;
  // Places the drawing area and the bars inside the central area.
  void ArrangeArea(int drawW, int drawH, bool hBar, bool vBar);
  QSize AreaSize() const;
  int BarExtent() const;
  virtual void DrawPicture(QPainter& p) = 0;
  virtual void AreaResized() = 0;
  virtual void CanvasMousePress(QMouseEvent* e) = 0;
  // Keys and the wheel over the picture; false leaves them to Qt.
  virtual bool CanvasKeyPress(QKeyEvent*) { return false; }
  virtual bool CanvasWheel(QWheelEvent*) { return false; }
  virtual void ScrollBarsMoved() = 0;
  // The document as the window's commands take it (the workspace's own).
  MatrixDocument& Writable() const;

  Application& app_;
  const MatrixDocument& doc_;
  QWidget* area_;
  QWidget* canvas_;
  QScrollBar* hbar_;
  QScrollBar* vbar_;
  QImage picture_;
  bool stale_ = true;
  int redrawCount_ = 0;
  int drawW_ = 1, drawH_ = 1;
  int textFontIndex_ = 6;
  QPointer<TextWindow> help_;
  QPointer<TextWindow> textOut_;
  QPointer<NotebookWindow> notebook_;
  QPointer<PaletteWindow> palette_;
};

}  // namespace tavrin
