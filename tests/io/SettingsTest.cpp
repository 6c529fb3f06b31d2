#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Scratch.h"
#include "io/AtomicFile.h"
#include "io/MatrixFile.h"
#include "io/Settings.h"

namespace tavrin {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsDirectory(dir_.string()); }  // made by the call
  void TearDown() override {
    SetSettingsDirectory("");
    SetWriteHook(nullptr);
  }
  Scratch scratch_;
  std::filesystem::path dir_ = scratch_ / "settings";
};

TEST_F(SettingsTest, DirectoryIsCreatedAndFollowsXdg) {
  EXPECT_EQ(SettingsDirectory(), dir_.string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(dir_));
  SetSettingsDirectory("");
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", (dir_ / "xdg").c_str(), 1);
  EXPECT_EQ(SettingsDirectory(), (dir_ / "xdg" / "tavrin").string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "xdg" / "tavrin"));
  if (old)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsTest, MainSettingsRoundTripAndLayout) {
  MainSettings s;
  s.placement = {10, 20, 300, 200, true};
  s.optionA = 1;
  s.optionB = 0;
  ASSERT_TRUE(SaveMainSettings(s));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(SettingsDirectory() + "tv.ini", bytes));
  EXPECT_EQ(bytes, std::string("\x0A\0\0\0\x14\0\0\0\x2C\x01\0\0\xC8\0\0\0\x01\x01\x00", 19));
  RandomGenerator rng;
  rng.Seed(5);
  MainSettings read = LoadMainSettings(1024, 768, rng);
  EXPECT_EQ(read.placement, s.placement);
  EXPECT_EQ(read.optionA, 1);
  EXPECT_EQ(read.optionB, 0);
}

TEST_F(SettingsTest, MissingShortOrOffScreenFilesGiveDefaults) {
  RandomGenerator rng, copy;
  rng.Seed(77);
  copy.Seed(77);
  int r1 = copy.Next(), r2 = copy.Next();
  MainSettings s = LoadMainSettings(1024, 768, rng);  // no file
  EXPECT_EQ(s.placement, (Placement{100 + r1 % 200, 20 + r2 % 40, 200, 120, false}));
  EXPECT_EQ(s.optionA, 0);
  EXPECT_EQ(s.optionB, 1);

  std::ofstream(SettingsDirectory() + "tv.ini", std::ios::binary) << std::string(18, '\x01');  // short
  rng.Seed(77);
  EXPECT_EQ(LoadMainSettings(1024, 768, rng).placement, s.placement);

  MainSettings off;
  off.placement = {5000, 10, 300, 200, true};
  ASSERT_TRUE(SaveMainSettings(off));
  rng.Seed(77);
  copy.Seed(77);
  copy.Next(), copy.Next();
  int r3 = copy.Next(), r4 = copy.Next();
  EXPECT_EQ(LoadMainSettings(1024, 768, rng).placement, (Placement{r3 % 30, r4 % 30, 120, 72, false}));
}

TEST(Placement, Validation) {
  struct Case {
    Placement p;
    bool fits;
  } cases[] = {
      {{0, 0, 120, 72, false}, true},   {{0, 0, 119, 72, false}, false}, {{0, 0, 120, 71, false}, false},
      {{-1, 0, 200, 100, false}, false}, {{0, -1, 200, 100, false}, false}, {{824, 0, 200, 100, false}, true},
      {{825, 0, 200, 100, false}, false}, {{0, 668, 200, 100, false}, true}, {{0, 669, 200, 100, false}, false},
      {{2147483000, 0, 2000, 100, false}, false},
  };
  RandomGenerator rng;
  for (const Case& c : cases) {
    EXPECT_EQ(PlacementFits(c.p, 1024, 768), c.fits) << c.p.left << "," << c.p.top << "," << c.p.width;
    Placement v = ValidatePlacement(c.p, 1024, 768, rng);
    if (c.fits) {
      EXPECT_EQ(v, c.p);
    } else {
      EXPECT_EQ(v.width, 120);
      EXPECT_EQ(v.height, 72);
      EXPECT_LT(v.left, 30);
      EXPECT_LT(v.top, 30);
    }
  }
}

TEST_F(SettingsTest, WindowSettingsLayout) {
  WindowAppearance a = WindowAppearance::ForNewWindow(3);
  ASSERT_TRUE(SaveWindowSettings(a));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(SettingsDirectory() + "tvrn.ini", bytes));
  ASSERT_EQ(bytes.size(), 970u + 2 * (3 * 84 + 3 * 210 + 3 * 21) + 256);
  EXPECT_EQ(bytes.size(), kWindowSettingsBytes);
  std::string head;
  AppendAppearanceSections(head, a);
  EXPECT_EQ(bytes.substr(0, 970), head);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\xB9\x01\0\0\x02\0\0\0", 8));  // 441, version 2
  EXPECT_EQ(bytes.substr(76, 4), std::string("\x01\0\0\0", 4));           // word 19
  EXPECT_EQ(bytes.substr(970, 8), std::string("\0\0\0\0\x0A\0\0\0", 8));  // series count, 10
  EXPECT_EQ(bytes.find_first_not_of('\0', 978), std::string::npos);
  // A failing disk is silent and keeps the file.
  SetWriteHook([](WriteStage s) { return s != WriteStage::Flush; });
  EXPECT_FALSE(SaveWindowSettings(WindowAppearance::ForNewWindow(4)));
  std::string after;
  ASSERT_TRUE(ReadWholeFile(SettingsDirectory() + "tvrn.ini", after));
  EXPECT_EQ(after, bytes);
}

TEST(WindowAppearance, NewWindowDefaults) {
  WindowAppearance c = WindowAppearance::ForNewWindow(3);
  EXPECT_EQ(c.Background(), Rgb(255, 126, 222));
  EXPECT_EQ(c.colourSlots[4], 0);
  EXPECT_EQ(c.colourSlots[9], 0);
  EXPECT_EQ(c.colourSlots[1], 19);
  EXPECT_EQ(c.palette[0], 0u);
  EXPECT_EQ(c.palette[27], 0xFFFFFFu);
  EXPECT_EQ(c.palette[14], 0x00DED4B1u);  // 177, 212, 222 as 0x00BBGGRR
  EXPECT_EQ(WindowAppearance::ForNewWindow(-3).colourSlots[0], 27);
  WindowAppearance companion = WindowAppearance::ForNewWindow(0);
  EXPECT_EQ(companion.colourSlots[0], 27);
  EXPECT_EQ(companion.colourSlots[4], 4);
  EXPECT_EQ(c.PaletteEntry(28), 0u);
  EXPECT_EQ(c.PaletteEntry(-1), 0u);
  const int heights[10] = {-16, -13, -13, -10, -16, -13, -13, -13, -13, -13};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(c.fonts[k].height, heights[k]) << k;
  EXPECT_EQ(c.fonts[1].Face(), "Symbol");
  EXPECT_EQ(c.fonts[4].Face(), "Times");
  EXPECT_EQ(c.fonts[0].weight, 400);
  LogicalFont f;
  f.SetFace(std::string(40, 'x'));
  EXPECT_EQ(f.Face().size(), 31u);
}

}  // namespace
}  // namespace tavrin
