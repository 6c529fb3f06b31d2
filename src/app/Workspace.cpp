#include "app/Workspace.h"

#include <new>
#include <stdexcept>

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

int Workspace::FindFreeLetter(Mode m) const {
  const auto& slots = slots_[static_cast<int>(m)];
  for (int i = 0; i < 26; ++i)
    if (!slots[i]) return i + 1;
  for (int i = 0; i < 26; ++i)
    if (slots[i]->hidden) return i + 1;
  return 0;
}

template <class M>
ResultCode Workspace::Put(Mode m, const std::string& fileName, int letter, M entries,
                          MatrixDocument** stored, const DocumentLook* look) {
  // The automatic letter is free in the workspace that receives the matrix
  // (Paste and dropped files fill another mode's workspace): a letter of
  // the current mode could name, and replace, a matrix nobody sees.
  if (letter < 1) letter = FindFreeLetter(m);
  if (letter < 1 || letter > 26) {
    port_.ShowCode(ResultCode::NoMoreRoom);
    return ResultCode::NoMoreRoom;
  }
  auto& slot = slots_[static_cast<int>(m)][letter - 1];
  try {
    if (slot) {
      if (port_.Ask(String(str::kOverwrite), false) != Answer::Yes) return ResultCode::Stopped;
      slot->ReplaceAsStep(std::move(entries), look);
      slot->modified = true;
      port_.DocumentChanged(*slot);
    } else {
      // Made empty, then given the entries: no zero matrix of the full size
      // is made on the way.
      auto doc = std::make_unique<MatrixDocument>(KindOfMode(m), letter, 0, 0, white_);
      doc->Replace(std::move(entries));
      if (look) {
        doc->format = look->format;
        doc->appearance = look->appearance;
        doc->fileVersion = look->fileVersion;
      }
      doc->fileName = fileName;
      doc->modified = fileName.empty();
      slot = std::move(doc);
      created_[static_cast<int>(m)] = true;
      port_.DocumentCreated(*slot);
      port_.LetterMenusChanged();
    }
  } catch (const std::bad_alloc&) {
    port_.ShowCode(ResultCode::LowMemory);
    return ResultCode::LowMemory;
  }
  Show(*slot);
  if (stored) *stored = slot.get();
  return ResultCode::Ok;
}

ResultCode Workspace::PutMatrix(Mode m, const std::string& fileName, int letter, ComplexMatrix entries,
                                MatrixDocument** stored, const DocumentLook* look) {
  if (m == Mode::Integer) {
    port_.ShowCode(ResultCode::Incompatible);
    return ResultCode::Incompatible;
  }
  return Put(m, fileName, letter, std::move(entries), stored, look);
}

ResultCode Workspace::PutMatrix(Mode m, const std::string& fileName, int letter, IntegerMatrix entries,
                                MatrixDocument** stored, const DocumentLook* look) {
  if (m != Mode::Integer) {
    port_.ShowCode(ResultCode::Incompatible);
    return ResultCode::Incompatible;
  }
  return Put(m, fileName, letter, std::move(entries), stored, look);
}

void Workspace::SetDescription(MatrixDocument& doc, const std::string& text) {
  doc.notebook = text;
  port_.DocumentChanged(doc);
}

bool Workspace::EditingGuard() {
  for (const auto& slot : slots_[static_cast<int>(mode_)]) {
    if (slot && slot->editing) {
      port_.ShowCode(ResultCode::EditingInProgress);
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

MatrixDocument& Workspace::Writable(const MatrixDocument& doc) {
  for (MatrixDocument* companion : {lp_.get(), echelon_.get(), operations_.get()})
    if (companion == &doc) return *companion;
  if (doc.letter() >= 1 && doc.letter() <= 26)
    for (auto& mode : slots_)
      if (mode[doc.letter() - 1].get() == &doc) return *mode[doc.letter() - 1];
  throw std::logic_error("document outside the workspace");
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
