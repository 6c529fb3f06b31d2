#include "io/MatrixFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/VisitEntries.h"
#include "io/AtomicFile.h"
#include "io/Bytes.h"

namespace tavrin {

int32_t LayoutWord(long double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(NearestInteger(value * 100.0L));
}

void AppendAppearanceSections(std::string& out, const WindowAppearance& a) {
  ByteWriter w;
  // A: window record.
  w.I32(kMatrixFileType);
  w.I32(kMatrixFileVersion);
  w.I32(a.left);
  w.I32(a.top);
  w.I32(a.width);
  w.I32(a.height);
  w.I32(a.maximized);
  w.I32(a.option7);
  w.I32(static_cast<int32_t>(a.palette.size()));
  for (long double v : a.layout) w.I32(LayoutWord(v));
  w.I32(a.option13);
  w.I32(a.option14);
  w.I32(10);
  w.I32(15);
  w.I32(kMarkerFirst);
  w.I32(kMarkerSecond);
  w.I32(a.value19);
  // B: point sizes, LOGFONT records, the values that go with the fonts.
  for (int32_t p : a.fontPoints) w.I32(p);
  for (const LogicalFont& f : a.fonts) {
    w.I32(f.height);
    w.I32(f.width);
    w.I32(f.escapement);
    w.I32(f.orientation);
    w.I32(f.weight);
    for (uint8_t b : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality,
                      f.pitchAndFamily})
      w.U8(b);
    w.Raw(f.faceName.data(), f.faceName.size());
  }
  for (int32_t v : a.fontExtras) w.I32(v);
  // C: reserved.
  w.Zeros(kReservedBytes);
  // D: colour slots; E: palette.
  for (int16_t s : a.colourSlots) w.I16(s);
  for (uint32_t c : a.palette) w.U32(c);
  out += w.Bytes();
}

namespace {

bool AppendMatrixSections(std::string& out, const MatrixFileData& d) {
  const bool integer = d.kind == MatrixKind::Integer;
  int32_t rows = 0, cols = 0;
  size_t held = 0;
  VisitEntries(d.kind, d.integer, d.complex, [&](const auto& m, auto...) {
    rows = m.rows;
    cols = m.cols;
    held = m.size();
  });
  if (!IsValidKind(static_cast<int32_t>(d.kind)) || rows < 1 || cols < 1) return false;
  const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(cols);
  if (held != count) return false;

  ByteWriter w;
  // F: matrix header.
  const int32_t header[20] = {rows, cols, static_cast<int32_t>(d.kind), 0, d.format.width, d.format.places, 0, 0, 0,
                              d.format.scientific ? 1 : 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  for (int32_t v : header) w.I32(v);
  // G: entries.
  if (integer) {
    auto put = [&w](const BigInteger& b) {
      std::vector<uint16_t> limbs = b.Limbs();
      w.I32(static_cast<int32_t>(limbs.size()) - 1);
      w.U8(b.IsNegative() ? 1 : 0);
      for (uint16_t l : limbs) w.U16(l);
    };
    for (const BigInteger& b : d.integer.e) put(b);
    put(d.integer.denominator);
  } else {
    for (size_t k = 0; k < count; ++k) {
      const Complex z = d.complex.entry(k);
      w.Real(z.re);
      if (d.kind == MatrixKind::Complex) w.Real(z.im);
    }
  }
  // H: notebook, with its terminating zero.
  std::string text = d.notebook.substr(0, d.notebook.find('\0'));
  if (text.size() > kNotebookLimit) text.resize(kNotebookLimit);
  w.U16(static_cast<uint16_t>(text.size() + 1));
  w.Raw(text.data(), text.size());
  w.U8(0);
  out += w.Bytes();
  return true;
}

// Zeros of the matrix's size (3 x 3 when it has none); denominator 1.
void ResetToZeros(MatrixKind kind, MatrixFileData& d) {
  d.kind = kind;
  VisitEntries(kind, d.integer, d.complex, [](auto& m, auto...) {
    m = std::decay_t<decltype(m)>(m.rows >= 1 ? m.rows : 3, m.cols >= 1 ? m.cols : 3);
  });
}

bool ReadBigInteger(ByteReader& r, BigInteger& out) {
  int32_t top = r.I32();
  uint8_t sign = r.U8();
  if (!r.ok() || top < 0 || static_cast<uint64_t>(top) + 1 > r.Remaining() / 2) return false;
  std::vector<uint16_t> limbs(static_cast<size_t>(top) + 1);
  for (uint16_t& l : limbs) {
    l = r.U16();
    if (l > 9999) return false;  // not a base-10000 digit
  }
  out = BigInteger::FromLimbs(limbs, sign != 0);
  return r.ok();
}

}  // namespace

std::string MatrixFileBytes(const MatrixFileData& data) {
  std::string out;
  AppendAppearanceSections(out, data.appearance);
  if (!AppendMatrixSections(out, data)) return std::string();
  return out;
}

ResultCode WriteMatrixFile(const std::string& path, const MatrixFileData& data) {
  std::string bytes = MatrixFileBytes(data);
  if (bytes.empty() || !WriteFileAtomically(path, bytes)) return ResultCode::CannotSaveFile;
  return ResultCode::Ok;
}

ResultCode ReadMatrixFile(const std::string& path, MatrixKind expectedKind, MatrixFileData& data) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    ResetToZeros(expectedKind, data);
    return ResultCode::CannotOpenFile;
  }
  return ReadMatrixBytes(bytes, expectedKind, data);
}

ResultCode ReadMatrixBytes(std::string_view bytes, MatrixKind expectedKind, MatrixFileData& data) {
  auto refuse = [&]() {
    ResetToZeros(expectedKind, data);
    return ResultCode::CannotOpenFile;
  };
  ByteReader r(bytes);
  WindowAppearance a = data.appearance;

  // A: window record.
  if (r.I32() != kMatrixFileType || !r.ok()) return refuse();
  int32_t version = r.I32();
  a.left = r.I32();
  a.top = r.I32();
  a.width = r.I32();
  a.height = r.I32();
  a.maximized = r.I32();
  a.option7 = r.I32();
  int32_t paletteWords = r.I32();
  int32_t layoutWords[4];
  for (int32_t& v : layoutWords) v = r.I32();
  a.option13 = r.I32();
  a.option14 = r.I32();
  r.I32();
  r.I32();
  int32_t marker1 = r.I32();
  int32_t marker2 = r.I32();
  a.value19 = r.I32();
  for (int k = 0; k < 4; ++k) a.layout[k] = static_cast<long double>(layoutWords[k]) / 100.0L;
  if (layoutWords[0] == 0) a.layout[0] = -1.0L / 2.54L;
  const bool markerValid = marker1 == kMarkerFirst && marker2 == kMarkerSecond;

  // B: fonts.
  for (int32_t& p : a.fontPoints) p = r.I32();
  for (LogicalFont& f : a.fonts) {
    f.height = r.I32();
    f.width = r.I32();
    f.escapement = r.I32();
    f.orientation = r.I32();
    f.weight = r.I32();
    for (uint8_t* b : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision, &f.clipPrecision,
                       &f.quality, &f.pitchAndFamily})
      *b = r.U8();
    r.Raw(f.faceName.data(), f.faceName.size());
  }
  for (int32_t& v : a.fontExtras) v = r.I32();
  // C: reserved; D: colour slots.
  r.Skip(kReservedBytes);
  for (int16_t& s : a.colourSlots) s = r.I16();
  // E: palette of paletteWords words, applied only under a valid marker pair.
  if (!r.ok() || paletteWords < 0 || static_cast<uint64_t>(paletteWords) * 4 > r.Remaining()) return refuse();
  for (int32_t k = 0; k < paletteWords; ++k) {
    uint32_t c = r.U32();
    if (markerValid && k < 28) a.palette[static_cast<size_t>(k)] = c;
  }
  if (!r.ok() || version <= 0 || version > kMatrixFileVersion) return refuse();

  // F: matrix header.
  int32_t header[20];
  for (int32_t& v : header) v = r.I32();
  if (!r.ok()) return refuse();
  const int32_t rows = header[0], cols = header[1], kind = header[2];
  const int32_t width = header[4], places = header[5];
  if (!IsValidKind(kind) || static_cast<MatrixKind>(kind) != expectedKind) return refuse();
  if (rows < 1 || cols < 1) return refuse();
  // Places beyond the dialog's range would make every entry text enormous.
  if (places < 0 || places > 15 || width < 0 || width > 32767) return refuse();

  // G: entries; every count is checked against what the file still holds
  // before anything is allocated.
  const uint64_t count = static_cast<uint64_t>(rows) * static_cast<uint64_t>(cols);
  ComplexMatrix complex;
  IntegerMatrix integer;
  if (expectedKind == MatrixKind::Integer) {
    if (count + 1 > r.Remaining() / 7) return refuse();  // 4 + 1 + 2 bytes at the least
    integer = IntegerMatrix(rows, cols);
    for (BigInteger& b : integer.e)
      if (!ReadBigInteger(r, b)) return refuse();
    if (!ReadBigInteger(r, integer.denominator) || integer.denominator.IsZero()) return refuse();
  } else {
    const uint64_t size = expectedKind == MatrixKind::Complex ? 20 : 10;
    if (count > r.Remaining() / size) return refuse();
    if (expectedKind == MatrixKind::Complex) {
      complex = ComplexMatrix(rows, cols);
      for (Complex& z : complex.e()) {
        z.re = r.Real();
        z.im = r.Real();
      }
    } else {
      complex = ComplexMatrix::Real(rows, cols);
      for (long double& x : complex.realParts()) x = r.Real();
    }
    if (!r.ok()) return refuse();
  }

  // H: notebook.
  std::string notebook = data.notebook;
  if (header[13] > 0) {
    uint16_t n = r.U16();
    std::string text(n, '\0');
    if (!r.Raw(text.data(), n)) return refuse();
    notebook = text.substr(0, text.find('\0'));
    if (notebook.size() > kNotebookLimit) notebook.resize(kNotebookLimit);
  }

  data.kind = expectedKind;
  data.version = version;
  data.appearance = a;
  data.format.width = static_cast<int16_t>(width);
  data.format.places = static_cast<int16_t>(places);
  data.format.scientific = header[9] != 0;
  data.notebook = std::move(notebook);
  if (expectedKind == MatrixKind::Integer)
    data.integer = std::move(integer);
  else
    data.complex = std::move(complex);
  return ResultCode::Ok;
}

}  // namespace tavrin
