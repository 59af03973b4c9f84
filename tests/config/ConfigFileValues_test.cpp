// The value rules of the configuration file, the file-name rule and the date-time text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "config/ConfigFileName.h"
#include "config/ConfigKeys.h"
#include "config/ConfigValues.h"
#include "config/DateTimeText.h"
#include "platform/system/Clock.h"

TEST(ConfigFileValues, BitmapsValueDecoding) {
  struct Row {
    const char* value;
    bool randomCycle;
    DispObj disp;
    int mark;
  };
  const Row rows[] = {
      {"TILE.NOT", false, DispObj::Tile, 0},
      {"CENTER.STRETCH.NOT", false, DispObj::Stretch, 0},
      {"CENTER.STRETCH", false, DispObj::Center, 0},
      {"BRICK_TILE.MARKED", true, DispObj::BrickTile, 1},
      {"BRICK_TILE.MARKED", false, DispObj::BrickTile, 0},
      {"BRICK_TILE.marked", true, DispObj::BrickTile, 0},
      {"tile.NOT", false, DispObj::RatioStretch, 0},
      {"", false, DispObj::RatioStretch, 0},
      {"RATIO_STRETCH", false, DispObj::RatioStretch, 0},
      {"A.B/TILE", false, DispObj::RatioStretch, 0},
  };
  for (const Row& row : rows) {
    const TStoredDisp stored = DecodeBitmapsValue(row.value, row.randomCycle, DispObj::RatioStretch);
    EXPECT_EQ(stored.disp, row.disp) << row.value;
    EXPECT_EQ(stored.mark, row.mark) << row.value;
  }
}

TEST(ConfigFileValues, BitmapsValueEncoding) {
  EXPECT_EQ(EncodeBitmapsValue("TILE", 0, true), "TILE.NOT");
  EXPECT_EQ(EncodeBitmapsValue("TILE", 1, true), "TILE.MARKED");
  EXPECT_EQ(EncodeBitmapsValue("TILE", 1, false), "TILE.NOT");
  EXPECT_EQ(EncodeBitmapsValue("TILE", -1, true), "TILE.NOT");
}

TEST(ConfigFileValues, BitmapsLineParts) {
  EXPECT_EQ(BitmapsLineValue("/a=b.bmp=TILE.NOT"), "TILE.NOT");
  EXPECT_EQ(BitmapsLineValue("/no-equals.bmp"), "");
  EXPECT_EQ(BitmapsLineValue("/a.bmp=" + std::string(1500, 'X')).size(), MaxBitmapsValue);
  EXPECT_EQ(BitmapsLineName("/a", "/a=b.bmp=TILE.NOT"), "/a");
  EXPECT_EQ(BitmapsLineName("", "/whole line.bmp"), "/whole line.bmp");
}

TEST(ConfigFileValues, EnumeratedTexts) {
  EXPECT_EQ(ParseDisplayOrder("RANDOM"), DisplayOrder::Random);
  EXPECT_EQ(ParseDisplayOrder("RANDOM_CYCLE"), DisplayOrder::RandomCycle);
  EXPECT_EQ(ParseDisplayOrder("random"), DisplayOrder::Sequential);
  EXPECT_EQ(ParseDisplayOrder("RANDOM "), DisplayOrder::Sequential);
  EXPECT_EQ(ParseTriggerMeasure("MINUTES"), TriggerMeasure::Minutes);
  EXPECT_EQ(ParseTriggerMeasure("Hours"), TriggerMeasure::Days);
  EXPECT_EQ(TriggerMeasureText(1), "EXECUTIONS");
  EXPECT_EQ(TriggerMeasureText(-1), "DAYS");
  EXPECT_EQ(TriggerMeasureText(5), "DAYS");
  const std::pair<int, TriggerMeasure> measures[] = {{-1, TriggerMeasure::Days},
                                                     {0, TriggerMeasure::Days},
                                                     {1, TriggerMeasure::Executions},
                                                     {4, TriggerMeasure::Seconds},
                                                     {5, TriggerMeasure::Days}};
  for (const auto& [index, measure] : measures) EXPECT_EQ(TriggerMeasureAt(index), measure) << index;
}

TEST(ConfigFileValues, NumberFields) {
  EXPECT_EQ(ClampUpDown(70000), 32767);
  EXPECT_EQ(ClampUpDown(-70000), -32768);
  EXPECT_EQ(ClampUpDown(12), 12);
  EXPECT_EQ(StrToInt(" 7"), 7);
  EXPECT_EQ(StrToInt("-3"), -3);
  for (const char* bad : {"", "  ", "1a", "99999999999", "0x10"}) {
    EXPECT_THROW(StrToInt(bad), TConvertError) << bad;
  }
  try {
    StrToInt("x1");
  } catch (const TConvertError& error) {
    EXPECT_STREQ(error.what(), "'x1' is not a valid integer value");
  }
}

TEST(ConfigFileValues, KeyTableIsCompleteAndUnique) {
  for (std::size_t i = 0; i < InfoKeys.size(); ++i)
    for (std::size_t j = i + 1; j < InfoKeys.size(); ++j) EXPECT_NE(InfoKeys[i]->name, InfoKeys[j]->name);
  EXPECT_EQ(InfoKeys.front()->name, "Default Directory");
  EXPECT_EQ(InfoKeys.back()->name, "LastChgDateTime");
  // Code that handles every setting switches over the ids; each must name its own row.
  for (std::size_t i = 0; i < InfoKeys.size(); ++i) EXPECT_EQ(static_cast<std::size_t>(InfoKeys[i]->id), i);
}

TEST(ConfigFileName, IniNameOfExecutable) {
  EXPECT_EQ(IniFileNameOf("/usr/bin/tesserine"), "tesserine.INI");
  EXPECT_EQ(IniFileNameOf("/opt/x.y/tesserine.bin"), "tesserine.INI");
  EXPECT_EQ(IniFileNameOf("tesserine"), "tesserine.INI");
  EXPECT_EQ(FolderWithoutSlash("/a/b/"), "/a/b");
  EXPECT_EQ(FolderWithoutSlash("/"), "/");
}

TEST(ConfigFileName, ProgramFolderFallsBackWhenNotWritable) {
  EXPECT_EQ(ChooseProgramFolder("/opt/t", true, "/home/u/.config"), "/opt/t/");
  EXPECT_EQ(ChooseProgramFolder("/opt/t", false, "/home/u/.config"), "/home/u/.config/tesserine/");
  QTemporaryDir dir;
  EXPECT_EQ(ProgramFolder((dir.path() + "/tesserine").toStdString()), (dir.path() + "/").toStdString());
  // Installed under a prefix: never its own folder, even when it could write there.
  ASSERT_TRUE(QDir().mkpath(dir.path() + "/usr/bin") && QDir().mkpath(dir.path() + "/usr/share/applications"));
  QFile entry(dir.path() + "/usr/share/applications/org.tesserine.Tesserine.desktop");
  ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
  entry.close();
  EXPECT_EQ(ProgramFolder((dir.path() + "/usr/bin/tesserine").toStdString()),
            qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() + "/tesserine/");
}

TEST(ConfigFileDateTime, WrittenTextReadsBackToTheSecond) {
  const double base = DateTimeToDays(QDateTime(QDate(2023, 11, 4), QTime(13, 5, 9, 600)));
  for (const char* name : {"en_US", "de_DE", "ja_JP", "fr_FR", "C"}) {
    const QLocale locale(name);
    for (double days : {base, base + 0.25, 45000.0 + 1.0 / 86400, 1.5, 73000.999}) {
      const std::string text = DateTimeToText(days, locale);
      const std::optional<double> back = TextToDateTime(text, locale);
      ASSERT_TRUE(back.has_value()) << name << " " << text;
      EXPECT_EQ(std::llround(*back * 86400), std::llround(days * 86400)) << name << " " << text;
    }
  }
}

TEST(ConfigFileDateTime, MidnightHasNoTimeAndBadTextFails) {
  const QLocale locale("en_US");
  const std::string midnight = DateTimeToText(45000.0, locale);
  EXPECT_EQ(midnight.find(':'), std::string::npos) << midnight;
  EXPECT_EQ(TextToDateTime(midnight, locale), 45000.0);
  EXPECT_FALSE(TextToDateTime("not a date", locale).has_value());
  EXPECT_FALSE(TextToDateTime("", locale).has_value());
}

TEST(ConfigFileValues, ClickActionOfTheListsItemIndex) {
  const std::pair<int, TrayClickAction> rows[] = {
      {-1, TrayClickAction::None},       {0, TrayClickAction::OpenProperties}, {1, TrayClickAction::NextImage},
      {2, TrayClickAction::RemoveImage}, {3, TrayClickAction::PauseResume},    {4, TrayClickAction::None},
      {70000, TrayClickAction::None}};
  for (const auto& [index, action] : rows) EXPECT_EQ(TrayClickActionAt(index), action) << index;
}
