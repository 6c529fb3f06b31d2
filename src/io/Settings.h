#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Random.h"
#include "io/WindowAppearance.h"

namespace tavrin {

// A top-level window's place on the screen.
struct Placement {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool maximized = false;
  friend bool operator==(const Placement&, const Placement&) = default;
};

// "tv.ini": the main window's placement and the two option bytes.
struct MainSettings {
  Placement placement;
  uint8_t optionA = 0;
  uint8_t optionB = 1;
};

inline constexpr size_t kMainSettingsBytes = 19;
inline constexpr size_t kWindowSettingsBytes = 3116;

// The folder of the settings files, ending in '/': $XDG_CONFIG_HOME/tavrin,
// else ~/.config/tavrin; created when missing. SetSettingsDirectory puts it
// elsewhere (tests); an empty text goes back to the usual place.
void SetSettingsDirectory(const std::string& dir);
std::string SettingsDirectory();

// left >= 0, top >= 0, width >= 120, height >= 72 and the whole window on
// the screen.
bool PlacementFits(const Placement& p, int screenWidth, int screenHeight);
// A placement that does not fit becomes the small one near the corner:
// left = r mod 30, top = r' mod 30, 120 x 72, not maximized.
Placement ValidatePlacement(const Placement& p, int screenWidth, int screenHeight, RandomGenerator& rng);

// Reads "tv.ini" over the defaults (left = 100 + r mod 200, top = 20 + r' mod
// 40, 200 x 120, A = 0, B = 1) and validates the placement. A missing or
// short file leaves the defaults without a word.
MainSettings LoadMainSettings(int screenWidth, int screenHeight, RandomGenerator& rng);
bool ParseMainSettings(std::string_view bytes, MainSettings& out);
std::string MainSettingsBytes(const MainSettings& s);
// Failures are silent; the result only tells tests what happened.
bool SaveMainSettings(const MainSettings& s);

// "tvrn.ini": the appearance sections of the matrix file, the view's series
// tables (unused by matrix windows, written empty) and a 256-byte text.
std::string WindowSettingsBytes(const WindowAppearance& a);
bool SaveWindowSettings(const WindowAppearance& a);

}  // namespace tavrin
