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

void SetAppearance(Application& app, MatrixDocument& doc, const WindowAppearance& chosen) {
  doc.appearance = chosen;
  AppearanceChanged(app, doc);
}

void AppearanceChanged(Application&, MatrixDocument& doc) { doc.modified = true; }

}  // namespace tavrin
