#include <gtest/gtest.h>

#include "skin/SkinFormat.h"
#include "skin/SkinSource.h"
#include "support/SkinTestSupport.h"

namespace {

TEST(SkinFormat, EncodedSkinDecodesToTheSameSkin) {
  Skin skin = DistinctTestSkin();
  auto bytes = EncodeSkin(skin);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 4), ".SHE");
  for (std::string_view key : {"", "test"}) {
    auto decoded = DecodeSkin(*bytes, key);
    ASSERT_TRUE(decoded) << key;
    EXPECT_EQ(decoded->name, skin.name);
    EXPECT_EQ(decoded->colors, skin.colors);
    EXPECT_EQ(decoded->metrics, skin.metrics);
  }
  EXPECT_FALSE(DecodeSkin(*bytes, "win8"));
}

TEST(SkinFormat, EncodingRefusesValuesNoFileMayHold) {
  Skin noName = DistinctTestSkin();
  noName.name.clear();
  Skin blankInName = DistinctTestSkin();
  blankInName.name = "two words";
  Skin notAColor = DistinctTestSkin();
  notAColor.colors[3] = 0x01000000;
  Skin tinyBlock = DistinctTestSkin();
  tinyBlock.metrics[static_cast<std::size_t>(SkinMetric::ProgressBlock)] = 1;
  for (const Skin& skin : {noName, blankInName, notAColor, tinyBlock}) EXPECT_FALSE(EncodeSkin(skin));
}

// Every bad file the engine must refuse; the engine's own test feeds these to it.
TEST(SkinFormat, DecodingRefusesEveryBadFile) {
  for (const BadSkinFile& bad : BadSkinFiles()) {
    EXPECT_FALSE(DecodeSkin(bad.bytes, bad.key)) << bad.what;
  }
}

TEST(SkinSource, ReadsTheWin8Source) {
  std::string text = ReadTextFile(VELQUIN_WIN8_SOURCE);
  SkinSourceResult result = ParseSkinSource(text);
  ASSERT_TRUE(result.skin) << result.error;
  EXPECT_EQ(result.skin->name, "win8");
  EXPECT_EQ(result.skin->Color(SkinColor::EditBack), 0xFFFFFFu);
  EXPECT_EQ(result.skin->Color(SkinColor::ProgressBar), 0x25B006u);  // #06B025
}

TEST(SkinSource, NamesTheLineOfEachMistake) {
  const std::string valid = ReadTextFile(VELQUIN_WIN8_SOURCE);
  struct Case { std::string text; std::string error; } cases[] = {
      {valid + "window.face #000000\n", "window.face is given twice"},
      {valid + "window.shade #000000\n", "unknown setting window.shade"},
      {"name x\nwindow.face F0F0F0\n", "line 2: window.face: a colour is written #RRGGBB"},
      {"name x\nwindow.face #F0F0FG\n", "line 2: window.face: a colour is written #RRGGBB"},
      {"name x\nprogress.gap 17\n", "line 2: progress.gap: a number from 0 to 16"},
      {"name x\nwindow.face\n", "line 2: a setting needs a value"},
      {"# only a comment\nname x\n", "window.face is missing"},
  };
  for (const Case& c : cases) {
    SkinSourceResult result = ParseSkinSource(c.text);
    EXPECT_FALSE(result.skin);
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
  }
}

}  // namespace
