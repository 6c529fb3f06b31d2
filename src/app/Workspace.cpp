#include "app/Workspace.h"

#include "core/StringTable.h"

namespace tavrin {

namespace {
std::unique_ptr<MatrixDocument> MakeCompanion(const char* fileName, int titleString) {
  auto doc = std::make_unique<MatrixDocument>(MatrixKind::Real, 0, 3, 3, false);
  doc->defaultFileName = fileName;
  doc->title = String(titleString);
  doc->hidden = true;
  return doc;
}
}  // namespace

Workspace::Workspace(UserPort& port) : port_(port) {
  lp_ = MakeCompanion("lp.fma", str::kLinearProgramData);
  echelon_ = MakeCompanion("ech.fma", str::kEchelonForm);
  operations_ = MakeCompanion("oper.fma", str::kOperations);
}

MatrixDocument* Workspace::Lookup(Mode m, int letter) {
  if (letter < 1 || letter > 26) return nullptr;
  return slots_[static_cast<int>(m)][letter - 1].get();
}

const MatrixDocument* Workspace::Lookup(Mode m, int letter) const {
  if (letter < 1 || letter > 26) return nullptr;
  return slots_[static_cast<int>(m)][letter - 1].get();
}

int Workspace::FindFreeLetter() const {
  const auto& slots = slots_[static_cast<int>(mode_)];
  for (int i = 0; i < 26; ++i)
    if (!slots[i]) return i + 1;
  for (int i = 0; i < 26; ++i)
    if (slots[i]->hidden) return i + 1;
  return 0;
}

template <class M>
ResultCode Workspace::Put(Mode m, const std::string& fileName, int letter, const M& entries,
                          MatrixDocument** stored) {
  // The automatic letter is chosen among the current mode's letters, also
  // when the matrix goes to another mode's workspace (Paste, dropped files).
  if (letter < 1) letter = FindFreeLetter();
  if (letter < 1 || letter > 26) {
    port_.ShowCode(code::kNoMoreRoom);
    return code::kNoMoreRoom;
  }
  auto& slot = slots_[static_cast<int>(m)][letter - 1];
  if (slot) {
    if (port_.Ask(String(str::kOverwrite), false) != Answer::Yes) return code::kInterrupted;
    slot->Replace(entries);
    slot->modified = true;
    port_.DocumentChanged(*slot);
  } else {
    slot = std::make_unique<MatrixDocument>(KindOfMode(m), letter, entries.rows, entries.cols, white_);
    slot->Replace(entries);
    slot->fileName = fileName;
    slot->modified = fileName.empty();
    created_[static_cast<int>(m)] = true;
    port_.DocumentCreated(*slot);
    port_.LetterMenusChanged();
  }
  Show(*slot);
  if (stored) *stored = slot.get();
  return code::kOk;
}

ResultCode Workspace::PutMatrix(Mode m, const std::string& fileName, int letter, const ComplexMatrix& entries,
                                MatrixDocument** stored) {
  if (m == Mode::Integer) return code::kIncompatible;
  return Put(m, fileName, letter, entries, stored);
}

ResultCode Workspace::PutMatrix(Mode m, const std::string& fileName, int letter, const IntegerMatrix& entries,
                                MatrixDocument** stored) {
  if (m != Mode::Integer) return code::kIncompatible;
  return Put(m, fileName, letter, entries, stored);
}

bool Workspace::EditingGuard() {
  for (const auto& slot : slots_[static_cast<int>(mode_)]) {
    if (slot && slot->editing) {
      port_.ShowCode(code::kEditingInProgress);
      return true;
    }
  }
  return false;
}

bool Workspace::AnyModified() const {
  for (const auto& mode : slots_)
    for (const auto& slot : mode)
      if (slot && slot->modified) return true;
  return lp_->modified || echelon_->modified || operations_->modified;
}

void Workspace::Hide(MatrixDocument& doc) {
  doc.hidden = true;
  port_.HideDocument(doc);
}

void Workspace::Show(MatrixDocument& doc) {
  doc.hidden = false;
  port_.ShowDocument(doc);
}

void Workspace::ForEachInClosingOrder(const std::function<void(MatrixDocument&)>& f) {
  for (int letter = 0; letter < 26; ++letter)
    for (auto& mode : slots_)
      if (mode[letter]) f(*mode[letter]);
  f(*lp_);
  f(*echelon_);
  f(*operations_);
}

}  // namespace tavrin
