#pragma once
#include <string>

#include "app/Application.h"

namespace tavrin {

// What a matrix window's own widgets change on their document: the entry
// edit box opening and closing, the notebook, the window's place, fonts and
// colours, its showing and hiding. The window holds its document read-only
// and hands these (and the editing, format and file commands) the
// workspace's document (Workspace::Writable).

// An entry edit box opened (or closed without storing) on the document;
// while one is open, commands that replace matrices of the mode wait (111).
void EntryEditOpened(Application& app, MatrixDocument& doc);
void EntryEditClosed(Application& app, MatrixDocument& doc);
// The notebook window was opened or closed: what is typed there is saved
// with the matrix, so the document counts as modified.
void NotesOpened(Application& app, MatrixDocument& doc);
// The notebook's text as typed.
void SetNotes(Application& app, MatrixDocument& doc, const std::string& text);
// The window's place on the screen, kept with the matrix's file.
void PlaceWindow(Application& app, MatrixDocument& doc, int left, int top, int width, int height);
// Fonts or colours chosen for the window (the font dialog's choice, or the
// palette window's): kept with the matrix, which is modified.
void SetAppearance(Application& app, MatrixDocument& doc, const WindowAppearance& chosen);
// The window shown (a companion's dialog opened) or closed: a closed window
// only hides, its matrix stays in the workspace. The port is told.
void OpenWindow(Application& app, MatrixDocument& doc);
void CloseWindow(Application& app, MatrixDocument& doc);

}  // namespace tavrin
