#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tavrin {

// A logical font record kept in the platform LOGFONT layout (60 bytes in
// files): the face name is at most 31 characters.
struct LogicalFont {
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  uint8_t outPrecision = 8, clipPrecision = 2, quality = 1, pitchAndFamily = 0;
  std::array<char, 32> faceName{};

  std::string Face() const;
  void SetFace(const std::string& face);
};

// Everything a matrix file carries about a window besides the matrix:
// placement, window-base options and layout values, the ten fonts, the
// colour slots and the palette. Reading then writing a file reproduces it.
struct WindowAppearance {
  int32_t left = 0, top = 0, width = 0, height = 0;
  int32_t maximized = 0;
  int32_t option7 = 0;
  std::array<long double, 4> layout{-1.0L / 2.54L, 3.0L, 1.0L, 1.0L};
  int32_t option13 = 0;
  int32_t option14 = 0;
  int32_t value19 = 0;
  std::array<int32_t, 10> fontPoints{};
  std::array<LogicalFont, 10> fonts{};
  std::array<int32_t, 10> fontExtras{};  // text colours accompanying the fonts
  std::array<int16_t, 15> colourSlots{};
  std::array<uint32_t, 28> palette{};  // 0x00BBGGRR

  // The appearance of a new matrix window of letter index 1..26 (0 for a
  // companion window; negative when "White backgrounds" is on).
  static WindowAppearance ForNewWindow(int letterIndex);
  // Palette entry for an index; indices outside 1..27 give entry 0.
  uint32_t PaletteEntry(int index) const;
  uint32_t Background() const { return PaletteEntry(colourSlots[0]); }
};

// The default 28-entry palette, 0x00BBGGRR.
const std::array<uint32_t, 28>& DefaultPalette();
inline uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

}  // namespace tavrin
