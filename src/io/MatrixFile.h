#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Matrix.h"
#include "core/ResultCode.h"
#include "io/DisplayFormat.h"
#include "io/WindowAppearance.h"

namespace tavrin {

inline constexpr int32_t kMatrixFileType = 441;
inline constexpr int32_t kMatrixFileVersion = 2;
inline constexpr int32_t kMarkerFirst = 19451947;
inline constexpr int32_t kMarkerSecond = 19471945;
inline constexpr size_t kNotebookLimit = 64000;

// Section sizes of a matrix file, in file order.
inline constexpr size_t kWindowRecordBytes = 80;                 // A
inline constexpr size_t kFontBytes = 40 + 600 + 40;              // B
inline constexpr size_t kReservedBytes = 68;                     // C
inline constexpr size_t kColourRecordBytes = 30;                 // D
inline constexpr size_t kPaletteBytes = 112;                     // E as written
inline constexpr size_t kMatrixHeaderBytes = 80;                 // F
inline constexpr size_t kAppearanceBytes =
    kWindowRecordBytes + kFontBytes + kReservedBytes + kColourRecordBytes + kPaletteBytes;

// One matrix file's content: the matrix of its kind, the stored part of the
// display format (width, places, scientific), the window's appearance and
// the notebook.
struct MatrixFileData {
  MatrixKind kind = MatrixKind::Real;
  ComplexMatrix complex;   // kinds real and complex (real keeps im = 0)
  IntegerMatrix integer;   // kind integer
  DisplayFormat format;
  WindowAppearance appearance;
  std::string notebook;
  int32_t version = kMatrixFileVersion;  // as read; files are always written as version 2
};

// Reads a file into `data`, which holds the reading window's current state.
// Refusals (unreadable file, other file type, version 0 or above 2, a kind
// other than expectedKind, sizes the file cannot hold, truncation) give code
// 11; the window's appearance, format and notebook are then left as they
// were and its matrix becomes zeros of its current size (denominator 1).
ResultCode ReadMatrixFile(const std::string& path, MatrixKind expectedKind, MatrixFileData& data);
ResultCode ReadMatrixBytes(std::string_view bytes, MatrixKind expectedKind, MatrixFileData& data);

// Writes the file through WriteFileAtomically: code 12 when it cannot be
// written, and the file that was there before stays as it was.
ResultCode WriteMatrixFile(const std::string& path, const MatrixFileData& data);
std::string MatrixFileBytes(const MatrixFileData& data);

// Sections A to E alone, as the matrix file writes them (also the start of
// "tvrn.ini").
void AppendAppearanceSections(std::string& out, const WindowAppearance& a);

// The layout-value rounding of the window record: value x 100, halves
// toward zero, saturating at +-2147483647.
int32_t LayoutWord(long double value);

}  // namespace tavrin
