#include "app/commands/DocumentWindow.h"

namespace tavrin {

void EntryEditOpened(Application&, MatrixDocument& doc) { doc.editing = true; }

void EntryEditClosed(Application&, MatrixDocument& doc) { doc.editing = false; }

void NotesOpened(Application&, MatrixDocument& doc) { doc.modified = true; }

void SetNotes(Application&, MatrixDocument& doc, const std::string& text) { doc.notebook = text; }

void PlaceWindow(Application&, MatrixDocument& doc, int left, int top, int width, int height) {
  doc.appearance.left = left;
  doc.appearance.top = top;
  doc.appearance.width = width;
  doc.appearance.height = height;
}

void SetAppearance(Application&, MatrixDocument& doc, const WindowAppearance& chosen) {
  doc.appearance = chosen;
  doc.modified = true;
}

void OpenWindow(Application& app, MatrixDocument& doc) { app.workspace().Show(doc); }

void CloseWindow(Application& app, MatrixDocument& doc) { app.workspace().Hide(doc); }

}  // namespace tavrin
