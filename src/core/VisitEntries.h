#pragma once
#include <utility>

#include "core/Matrix.h"

namespace tavrin {

// Runs f on a matrix's entries, whatever their kind: f(q) for an integer
// matrix, f(z, kind) for a real or complex one; q and z hold the entries of
// the two sorts and only the one of `kind` is read. Both calls must return
// the same type. Routines whose integer and floating forms differ only in
// that the floating one also takes the kind fit one generic lambda:
//   VisitEntries(doc, [&](const auto& m, auto... kind) {
//     return TextOut(doc.format, m, kind..., out); });
template <class Integer, class Floating, class F>
decltype(auto) VisitEntries(MatrixKind kind, Integer& q, Floating& z, F&& f) {
  if (kind == MatrixKind::Integer) return f(q);
  return f(z, kind);
}

// The same for a window's document, or anything that holds its entries in
// q and z beside a kind().
template <class Document, class F>
  requires requires(Document& d) {
    d.kind();
    d.q;
    d.z;
  }
decltype(auto) VisitEntries(Document& doc, F&& f) {
  return VisitEntries(doc.kind(), doc.q, doc.z, std::forward<F>(f));
}

}  // namespace tavrin
