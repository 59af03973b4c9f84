// The settings as values: what a load gives each of them, and what a save writes back.
#include "config/Settings.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "config/BigIni.h"
#include "config/ConfigKeys.h"
#include "config/SettingsIo.h"

namespace {

TSettings Loaded(const std::string& info, const TSettings& before = {}) {
  const TBigIniFile ini("", "[Info]\r\n" + info);
  return LoadedSettings(TInfoReader(ini, {"/pictures", "/opt/tesserine", 46000.0}), before);
}

std::string Saved(const TSettings& settings) {
  TBigIniFile ini("", "");
  WriteSettings(ini, [&settings](const ConfigKey& key) { return settings.Value(key); });
  return ini.FileText();
}

}  // namespace

TEST(Settings, ALoadGivesWhatTheControlsWouldShow) {
  TSettings before;
  before.DefaultDisplay = DispObj::Stretch;
  before.ExceptDefaultDisplay = DispObj::Center;
  before.ExceptEnabled = true;
  before.AddLastFile = "/chosen/a.jpg";
  struct Row {
    const char* name;
    std::string info;
    std::function<bool(const TSettings&)> holds;
  };
  const Row rows[] = {
      {"number fields held to the up-down range", "AutoClose Minutes=70000\r\nExcept:Width=-70000\r\n",
       [](const TSettings& s) { return s.AutoCloseMinutes == "32767" && s.ExceptWidth == "-32768"; }},
      {"no quantity is once", "Trigger Qty=0\r\n", [](const TSettings& s) { return s.TriggerQty == "1"; }},
      {"a method in any letter case", "Default Display=brick_tile\r\n",
       [](const TSettings& s) { return s.DefaultDisplay == DispObj::BrickTile; }},
      {"a method no item names keeps the one chosen", "Default Display=SIDEWAYS\r\nExcept:Default Display=\r\n",
       [](const TSettings& s) {
         return s.DefaultDisplay == DispObj::Stretch && s.ExceptDefaultDisplay == DispObj::Center;
       }},
      {"a click action no item names is none", "SysTrayClick=9\r\n",
       [](const TSettings& s) { return s.ClickAction == TrayClickAction::None; }},
      {"the enumerated texts, whole and in their case", "Display Order=RANDOM_CYCLE\r\nMonitors=each\r\n",
       [](const TSettings& s) { return s.RandomCycle() && s.Monitors == MonitorMode::Same; }},
      {"what the load never reads", "Except:Enabled=0\r\n",
       [](const TSettings& s) { return s.ExceptEnabled && s.AddLastFile == "/chosen/a.jpg"; }},
      {"the defaults of a missing file", "",
       [](const TSettings& s) {
         return s.ImgMgrDirectory == "/opt/tesserine" && s.AddDialogFolder == "/pictures" && s.SortImages &&
                s.ConfirmRemove && s.IMSplitter == 305 && s.ExceptWidth == "100";
       }},
  };
  for (const Row& row : rows) EXPECT_TRUE(row.holds(Loaded(row.info, before))) << row.name;
}

// What a save writes loads back as the same settings.
TEST(Settings, ASaveWritesWhatTheNextLoadReadsBack) {
  TSettings settings;
  settings.Order = DisplayOrder::Random;
  settings.Measure = TriggerMeasure::Minutes;
  settings.DefaultDisplay = DispObj::DoubleTile;
  settings.ClickAction = TrayClickAction::PauseResume;
  settings.FillColor = 0x0000FF;
  settings.TriggerQty = " 42";
  settings.AutoClose = true;
  settings.Monitors = MonitorMode::Span;
  settings.AddDialogFolder = "/pictures";
  const std::string saved = Saved(settings);
  const TSettings again = Loaded(saved.substr(saved.find("\r\n") + 2));
  EXPECT_EQ(Saved(again), saved);
  EXPECT_EQ(again.TriggerQty, "42");
  EXPECT_NE(saved.find("Monitors=SPAN"), std::string::npos);
}

TEST(Settings, TheFolderOfTheLastFileChosenIsTheAddDialogsFolder) {
  TSettings settings;
  settings.AddDialogFolder = "/pictures";
  EXPECT_EQ(std::get<std::string>(settings.Value(InfoKey::DefaultDirectory)), "/pictures");
  settings.AddLastFile = "/holiday/sea.jpg";
  EXPECT_EQ(std::get<std::string>(settings.Value(InfoKey::DefaultDirectory)), "/holiday");
}

TEST(Settings, AnEmptiedNumberFieldStopsTheSaveAtItsKey) {
  TSettings settings;
  settings.TriggerQty = "";
  TBigIniFile ini("", "");
  EXPECT_THROW(WriteSettings(ini, [&settings](const ConfigKey& key) { return settings.Value(key); }), TConvertError);
  EXPECT_EQ(ini.ReadString("Info", "Fill Color", "?"), "0") << "the keys before it are written";
  EXPECT_EQ(ini.ReadString("Info", "AutoClose", "?"), "?") << "the keys after it are not";
  EXPECT_THROW(settings.Value(InfoKey::LastImageNm), std::logic_error) << "a state key is no setting";
}

TEST(Settings, OnlyTheExecutionTriggerTurnsAutoCloseOnWithAChange) {
  for (int measure = 0; measure < 5; ++measure) {
    TSettings settings;
    settings.Measure = static_cast<TriggerMeasure>(measure);
    EXPECT_EQ(AutoCloseAfterChange(settings), settings.Measure == TriggerMeasure::Executions) << measure;
    settings.AutoClose = true;
    EXPECT_TRUE(AutoCloseAfterChange(settings)) << "a change never turns it off";
  }
}

// "Fade Milliseconds": absent means half a second and is written only when it differs; a
// value outside the range is used held to it and kept as the file has it until the control
// shows another.
TEST(Settings, TheFadeIsKeptAsTheFileHasItAndUsedWithinItsRange) {
  EXPECT_EQ(Loaded("").FadeMilliseconds, 500);
  EXPECT_EQ(Saved(Loaded("")).find("Fade Milliseconds"), std::string::npos);
  const std::string saved = Saved(Loaded("Fade Milliseconds=20000\r\n"));
  EXPECT_NE(saved.find("Fade Milliseconds=20000\r\n"), std::string::npos);
  struct Row {
    std::int32_t stored;
    std::int32_t used;
    double shown;
  };
  const Row rows[] = {{20000, 10000, 10.0}, {-5, 0, 0.0}, {1234, 1234, 1.2}, {0, 0, 0.0}, {500, 500, 0.5}};
  for (const Row& row : rows) {
    TSettings settings;
    settings.FadeMilliseconds = row.stored;
    EXPECT_EQ(FadeTime(settings), row.used) << row.stored;
    EXPECT_DOUBLE_EQ(FadeSecondsShown(row.stored), row.shown) << row.stored;
    EXPECT_EQ(FadeFromControl(row.shown, row.stored), row.stored) << "shown as it is, it stays " << row.stored;
  }
  EXPECT_EQ(FadeFromControl(2.5, 20000), 2500) << "an edit takes the control's value";
  EXPECT_EQ(FadeFromControl(1.3, 1234), 1300);
}

// "Run After Change": absent is none and stays absent; a shell command with quotes, an equals
// sign, a semicolon and a hash comes back from the file as it was written.
TEST(Settings, TheCommandAfterAChangeComesBackAsWritten) {
  EXPECT_EQ(Loaded("").RunAfterChange, "");
  EXPECT_EQ(Saved(Loaded("")).find("Run After Change"), std::string::npos);
  const std::string commands[] = {
      R"(wal -n -i "$1")",
      R"(matugen image "$1"; notify-send "a=b" '#1')",
      R"(printf '%s\n' "$TESSERINE_PICTURES" > "$HOME/shown list")",
  };
  for (const std::string& command : commands) {
    TSettings settings;
    settings.RunAfterChange = command;
    const std::string saved = Saved(settings);
    EXPECT_NE(saved.find("Run After Change=" + command + "\r\n"), std::string::npos) << saved;
    const TBigIniFile ini("", saved);
    EXPECT_EQ(LoadedSettings(TInfoReader(ini, {"/pictures", "/opt/tesserine", 46000.0}), {}).RunAfterChange, command);
  }
  TSettings cleared;
  cleared.RunAfterChange = "";
  EXPECT_EQ(Saved(cleared).find("Run After Change"), std::string::npos) << "back to none, the key goes";
}
