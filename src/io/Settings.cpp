#include "io/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "io/AtomicFile.h"
#include "io/Bytes.h"
#include "io/MatrixFile.h"

namespace tavrin {

namespace {
std::string& Override() {
  static std::string dir;
  return dir;
}

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}
}  // namespace

void SetSettingsDirectory(const std::string& dir) { Override() = dir; }

std::string SettingsDirectory() {
  std::string dir = Override();
  if (dir.empty()) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Only an absolute XDG_CONFIG_HOME counts.
    if (xdg && xdg[0] == '/')
      dir = std::string(xdg) + "/tavrin";
    else
      dir = HomeDirectory() + "/.config/tavrin";
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return WithSlash(dir);
}

bool PlacementFits(const Placement& p, int screenWidth, int screenHeight) {
  return p.left >= 0 && p.top >= 0 && p.width >= 120 && p.height >= 72 &&
         static_cast<int64_t>(p.left) + p.width <= screenWidth &&
         static_cast<int64_t>(p.top) + p.height <= screenHeight;
}

Placement ValidatePlacement(const Placement& p, int screenWidth, int screenHeight, RandomGenerator& rng) {
  if (PlacementFits(p, screenWidth, screenHeight)) return p;
  Placement small;
  small.left = rng.Next() % 30;
  small.top = rng.Next() % 30;
  small.width = 120;
  small.height = 72;
  small.maximized = false;
  return small;
}

bool ParseMainSettings(std::string_view bytes, MainSettings& out) {
  if (bytes.size() < kMainSettingsBytes) return false;
  ByteReader r(bytes);
  MainSettings s;
  s.placement.left = r.I32();
  s.placement.top = r.I32();
  s.placement.width = r.I32();
  s.placement.height = r.I32();
  s.placement.maximized = r.U8() != 0;
  s.optionA = r.U8();
  s.optionB = r.U8();
  out = s;
  return true;
}

MainSettings LoadMainSettings(int screenWidth, int screenHeight, RandomGenerator& rng) {
  MainSettings s;
  s.placement.left = 100 + rng.Next() % 200;
  s.placement.top = 20 + rng.Next() % 40;
  s.placement.width = 200;
  s.placement.height = 120;
  std::string bytes;
  if (ReadWholeFile(SettingsDirectory() + "tv.ini", bytes)) ParseMainSettings(bytes, s);
  s.placement = ValidatePlacement(s.placement, screenWidth, screenHeight, rng);
  return s;
}

std::string MainSettingsBytes(const MainSettings& s) {
  ByteWriter w;
  w.I32(s.placement.left);
  w.I32(s.placement.top);
  w.I32(s.placement.width);
  w.I32(s.placement.height);
  w.U8(s.placement.maximized ? 1 : 0);
  w.U8(s.optionA);
  w.U8(s.optionB);
  return w.Bytes();
}

bool SaveMainSettings(const MainSettings& s) {
  return WriteFileAtomically(SettingsDirectory() + "tv.ini", MainSettingsBytes(s));
}

std::string WindowSettingsBytes(const WindowAppearance& a) {
  std::string out;
  AppendAppearanceSections(out, a);
  ByteWriter w;
  for (int group = 0; group < 2; ++group) {
    // Three 21-word tables (the first: series count 0, then 10, then ten
    // values), three tables of 21 extended reals, three 21-byte tables.
    w.I32(0);
    w.I32(group == 0 ? 10 : 0);
    w.Zeros(84 - 8);
    w.Zeros(2 * 84);
    for (int k = 0; k < 3 * 21; ++k) w.Real(0.0L);
    w.Zeros(3 * 21);
  }
  w.Zeros(256);
  out += w.Bytes();
  return out;
}

bool SaveWindowSettings(const WindowAppearance& a) {
  return WriteFileAtomically(SettingsDirectory() + "tvrn.ini", WindowSettingsBytes(a));
}

}  // namespace tavrin
