#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/MatrixDocument.h"
#include "app/UserPort.h"
#include "core/ResultCode.h"

namespace tavrin {

// The 26 lettered matrices of each mode, the three companion documents of
// the linear-program, echelon and operations dialogs, and the operations
// every command uses to look matrices up and store them. A slot once
// filled stays filled; closing a window only hides it.
class Workspace {
 public:
  explicit Workspace(UserPort& port);

  UserPort& port() { return port_; }
  Mode mode() const { return mode_; }
  void SetMode(Mode m) { mode_ = m; }
  bool whiteBackgrounds() const { return white_; }
  void SetWhiteBackgrounds(bool on) { white_ = on; }

  // Slot lookup; letter is 1..26. nullptr for an empty slot.
  MatrixDocument* Lookup(Mode m, int letter);
  const MatrixDocument* Lookup(Mode m, int letter) const;
  MatrixDocument* Lookup(int letter) { return Lookup(mode_, letter); }
  const MatrixDocument* Lookup(int letter) const { return Lookup(mode_, letter); }
  bool Created(Mode m) const { return created_[static_cast<int>(m)]; }

  // First empty letter of the mode (default: the current one), else the
  // first hidden one, else 0.
  int FindFreeLetter() const { return FindFreeLetter(mode_); }
  int FindFreeLetter(Mode m) const;

  // Stores a copy of the matrix under the letter (0: FindFreeLetter of the
  // workspace that receives it). An occupied letter asks "overwrite
  // existing file?" first; replacing its matrix is then one step of that
  // document's history, which Undo reverses (matrix, notebook, file name,
  // and with look the display format and appearance). Returns Ok with
  // *stored set, 4 "no more room" or 3 "low memory" (reported), or Stopped when
  // the overwrite was declined (nothing changes, nothing reported).
  // The document is shown; a new one is modified exactly when fileName is
  // empty. look (a file's) replaces the document's format and appearance.
  // The entries are taken by value: a caller that moves its matrix in
  // leaves no second copy behind.
  ResultCode PutMatrix(Mode m, const std::string& fileName, int letter, ComplexMatrix entries,
                       MatrixDocument** stored = nullptr, const DocumentLook* look = nullptr);
  ResultCode PutMatrix(Mode m, const std::string& fileName, int letter, IntegerMatrix entries,
                       MatrixDocument** stored = nullptr, const DocumentLook* look = nullptr);
  // The notebook description of a stored matrix; its windows are told.
  void SetDescription(MatrixDocument& doc, const std::string& text);

  // True (after reporting code 111) when any document of the current mode
  // has an entry edit open.
  bool EditingGuard();
  // Any workspace document of any mode, or a companion, modified.
  bool AnyModified() const;

  void Hide(MatrixDocument& doc);
  void Show(MatrixDocument& doc);

  // The workspace's own document behind a read-only reference (a window
  // holds its document so): what a command the window runs changes.
  // Throws std::logic_error for a document the workspace does not hold.
  MatrixDocument& Writable(const MatrixDocument& doc);

  MatrixDocument& lp() { return *lp_; }
  MatrixDocument& echelon() { return *echelon_; }
  MatrixDocument& operations() { return *operations_; }
  const MatrixDocument& lp() const { return *lp_; }
  const MatrixDocument& echelon() const { return *echelon_; }
  const MatrixDocument& operations() const { return *operations_; }

  // Every workspace document in closing order: for each letter the real,
  // complex, then integer one; then the three companions.
  void ForEachInClosingOrder(const std::function<void(MatrixDocument&)>& f);

 private:
  template <class M>
  ResultCode Put(Mode m, const std::string& fileName, int letter, M entries, MatrixDocument** stored,
                 const DocumentLook* look);

  UserPort& port_;
  Mode mode_ = Mode::Real;
  bool white_ = false;
  std::array<std::array<std::unique_ptr<MatrixDocument>, 26>, 3> slots_;
  std::array<bool, 3> created_{};
  std::unique_ptr<MatrixDocument> lp_, echelon_, operations_;
};

}  // namespace tavrin
