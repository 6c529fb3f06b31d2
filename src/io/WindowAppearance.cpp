#include "io/WindowAppearance.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

std::string LogicalFont::Face() const {
  size_t n = 0;
  while (n < faceName.size() && faceName[n] != '\0') ++n;
  return std::string(faceName.data(), n);
}

void LogicalFont::SetFace(const std::string& face) {
  faceName.fill('\0');
  std::memcpy(faceName.data(), face.data(), std::min(face.size(), faceName.size() - 1));
}

const std::array<uint32_t, 28>& DefaultPalette() {
  static const std::array<uint32_t, 28> palette = {
      Rgb(0, 0, 0),       Rgb(126, 222, 255), Rgb(255, 204, 204), Rgb(255, 126, 222), Rgb(255, 222, 126),
      Rgb(222, 255, 126), Rgb(126, 255, 222), Rgb(255, 255, 191), Rgb(255, 191, 255), Rgb(191, 255, 255),
      Rgb(255, 255, 222), Rgb(255, 222, 255), Rgb(222, 255, 255), Rgb(177, 222, 212), Rgb(177, 212, 222),
      Rgb(212, 177, 222), Rgb(212, 222, 177), Rgb(222, 177, 212), Rgb(222, 212, 177), Rgb(191, 241, 222),
      Rgb(191, 222, 241), Rgb(222, 241, 191), Rgb(222, 191, 241), Rgb(241, 222, 191), Rgb(241, 191, 222),
      Rgb(255, 150, 234), Rgb(150, 234, 255), Rgb(255, 255, 255)};
  return palette;
}

namespace {
// Font character sets and pitch/family bits of the LOGFONT layout.
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kSymbolCharset = 2;
constexpr uint8_t kFixedPitch = 1;
constexpr uint8_t kVariablePitch = 2;
constexpr uint8_t kModernFamily = 0x30;
constexpr int kScreenDpi = 96;

LogicalFont MakeFont(const char* face, int points, uint8_t charSet, uint8_t pitchAndFamily) {
  LogicalFont f;
  f.height = -(points * kScreenDpi / 72);
  f.charSet = charSet;
  f.pitchAndFamily = pitchAndFamily;
  f.SetFace(face);
  return f;
}
}  // namespace

WindowAppearance WindowAppearance::ForNewWindow(int letterIndex) {
  WindowAppearance a;
  a.value19 = 1;
  struct Entry {
    const char* face;
    int points;
    uint8_t charSet;
    uint8_t pitch;
  };
  const Entry table[10] = {
      {"Courier New", 12, kAnsiCharset, kFixedPitch | kModernFamily},
      {"Symbol", 10, kSymbolCharset, 0},
      {"Courier New", 10, kAnsiCharset, 0},
      {"Courier New", 8, kAnsiCharset, 0},
      {"Times", 12, kAnsiCharset, kVariablePitch},
      {"Times", 10, kAnsiCharset, kVariablePitch},
      {"Courier New", 10, kAnsiCharset, 0},
      {"Courier New", 10, kAnsiCharset, 0},
      {"Courier New", 10, kAnsiCharset, 0},
      {"Courier New", 10, kAnsiCharset, 0},
  };
  for (int k = 0; k < 10; ++k) {
    a.fonts[k] = MakeFont(table[k].face, table[k].points, table[k].charSet, table[k].pitch);
    a.fontPoints[k] = table[k].points;
    a.fontExtras[k] = 0;
  }
  a.colourSlots.fill(19);
  a.colourSlots[0] = static_cast<int16_t>(letterIndex >= 1 && letterIndex <= 26 ? letterIndex : 27);
  a.colourSlots[4] = static_cast<int16_t>(letterIndex == 0 ? 4 : 0);
  a.colourSlots[9] = 0;
  a.palette = DefaultPalette();
  return a;
}

uint32_t WindowAppearance::PaletteEntry(int index) const {
  return index >= 1 && index <= 27 ? palette[static_cast<size_t>(index)] : palette[0];
}

}  // namespace tavrin
