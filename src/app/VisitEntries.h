#pragma once
#include "app/MatrixDocument.h"

namespace tavrin {

// Runs f on the document's entries, whatever their kind: f(q) for an
// integer matrix, f(z, kind) for a real or complex one. Both calls must
// return the same type. Routines whose integer and floating forms differ
// only in that the floating one also takes the kind fit one generic
// lambda:  VisitEntries(doc, [&](const auto& m, auto... kind) {
//            return TextOut(doc.format, m, kind..., out); });
template <class Document, class F>
decltype(auto) VisitEntries(Document& doc, F&& f) {
  if (doc.isInteger()) return f(doc.q);
  return f(doc.z, doc.kind());
}

}  // namespace tavrin
