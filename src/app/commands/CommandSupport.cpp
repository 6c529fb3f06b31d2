#include "app/commands/CommandSupport.h"

#include <array>
#include <cctype>
#include <memory>
#include <optional>

namespace tavrin {

MatrixLookup LiveLookup(Workspace& ws) {
  MatrixLookup lookup;
  lookup.complexMatrix = [&ws](char letter) -> const ComplexMatrix* {
    const MatrixDocument* doc = ws.Lookup(letter - 'A' + 1);
    return doc && !doc->isInteger() ? &doc->z : nullptr;
  };
  lookup.integerMatrix = [&ws](char letter) -> const IntegerMatrix* {
    const MatrixDocument* doc = ws.Lookup(letter - 'A' + 1);
    return doc && doc->isInteger() ? &doc->q : nullptr;
  };
  return lookup;
}

MatrixLookup SnapshotLookup(Workspace& ws, std::string_view text) {
  struct Copies {
    std::array<std::optional<ComplexMatrix>, 26> z;
    std::array<std::optional<IntegerMatrix>, 26> q;
  };
  auto copies = std::make_shared<Copies>();
  for (char ch : text) {
    int i = std::toupper(static_cast<unsigned char>(ch)) - 'A';
    if (i < 0 || i >= 26 || copies->z[i] || copies->q[i]) continue;
    if (const MatrixDocument* doc = ws.Lookup(i + 1)) {
      if (doc->isInteger())
        copies->q[i] = doc->q;
      else
        copies->z[i] = doc->z;
    }
  }
  MatrixLookup lookup;
  lookup.complexMatrix = [copies](char letter) -> const ComplexMatrix* {
    int i = letter - 'A';
    return i >= 0 && i < 26 && copies->z[i] ? &*copies->z[i] : nullptr;
  };
  lookup.integerMatrix = [copies](char letter) -> const IntegerMatrix* {
    int i = letter - 'A';
    return i >= 0 && i < 26 && copies->q[i] ? &*copies->q[i] : nullptr;
  };
  lookup.takeComplexMatrix = [copies](char letter, ComplexMatrix& out) {
    int i = letter - 'A';
    if (i < 0 || i >= 26 || !copies->z[i]) return false;
    out = std::move(*copies->z[i]);
    copies->z[i].reset();
    return true;
  };
  return lookup;
}

}  // namespace tavrin
