// "tv.ini": whatever the file holds, the placement that comes out fits the
// screen, and what was read writes out to a file that reads the same.
#include <cstdlib>
#include <string>

#include "io/Settings.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  MainSettings s;
  if (!ParseMainSettings(bytes, s)) return 0;
  MainSettings again;
  if (!ParseMainSettings(MainSettingsBytes(s), again) || !(again.placement == s.placement) ||
      again.optionA != s.optionA || again.optionB != s.optionB)
    std::abort();
  RandomGenerator rng;
  rng.Seed(static_cast<uint32_t>(size));
  for (auto [w, h] : {std::pair{1024, 768}, std::pair{120, 72}, std::pair{0, 0}}) {
    Placement p = ValidatePlacement(s.placement, w, h, rng);
    if (PlacementFits(s.placement, w, h) ? !(p == s.placement) : (p.width != 120 || p.height != 72)) std::abort();
  }
  return 0;
}
