#pragma once
#include <string>
#include <string_view>

#include "app/Application.h"
#include "core/ResultCode.h"
#include "core/VisitEntries.h"
#include "lang/Expression.h"

namespace tavrin {

// Helpers the command families share.

// The buttons of the Linear program and Echelon dialogs ("final" is Find).
enum class TaskButton { Find, Step, Reset };

// PutMatrix in the current mode's workspace, then the notebook description.
// PutMatrix reports its own failures; a declined overwrite returns its
// negative code silently.
template <class M>
ResultCode Store(Application& app, int letter, M matrix, const std::string& notes) {
  Workspace& ws = app.workspace();
  MatrixDocument* stored = nullptr;
  ResultCode c = ws.PutMatrix(ws.mode(), "", letter, std::move(matrix), &stored);
  // The notebook window shows the new description at once, so typing in
  // it cannot write the old text back.
  if (IsOk(c)) ws.SetDescription(*stored, notes);
  return c;
}

// "save as" of a companion window (linear program, echelon): its matrix
// stored under the letter with the given description; code 10 when the
// window shows another mode's data.
inline ResultCode SaveCompanionAs(Application& app, const MatrixDocument& doc, int letter,
                                  const std::string& notes) {
  if (doc.kind() != KindOfMode(app.mode())) return app.Fail(ResultCode::NothingToShow);
  return VisitEntries(doc, [&](const auto& m, auto...) { return Store(app, letter, m, notes); });
}

// The evaluator's view of the current mode's lettered matrices, live.
MatrixLookup LiveLookup(Workspace& ws);
// Copies of the current mode's matrices that a text names. Long work reads
// these, never the live documents, which the desktop may change while the
// work runs on its own thread.
MatrixLookup SnapshotLookup(Workspace& ws, std::string_view text);

}  // namespace tavrin
