// Section "Info" read and written through the key table.
#include "config/SettingsIo.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "config/BigIni.h"
#include "config/ConfigValues.h"
#include "config/DateTimeText.h"

namespace {

class SettingsIoTest : public ::testing::Test {
 protected:
  TBigIniFile& Ini(const std::string& text = {}) {
    const std::string path = dir.filePath("tesserine.INI").toStdString();
    if (!text.empty()) {
      QFile file(QString::fromStdString(path));
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(text.c_str());
    }
    ini = std::make_unique<TBigIniFile>(path);
    return *ini;
  }

  // A value of the key's type that names the key, so the file shows which value went where.
  static TKeyValue ValueNaming(const ConfigKey& key) {
    switch (key.type) {
      case KeyType::Integer:
        return static_cast<std::int32_t>(key.id);
      case KeyType::Bool:
        // A key written only when changed gets the value that is not its default.
        if (key.onlyWhenChanged) return key.defaultInt == 0;
        return static_cast<int>(key.id) % 2 == 0;
      default:
        return std::string(key.name) + " value";
    }
  }

  QTemporaryDir dir;
  std::unique_ptr<TBigIniFile> ini;
};

TEST_F(SettingsIoTest, EverySettingIsWrittenInTableOrderAsItsType) {
  TBigIniFile& file = Ini();
  WriteSettings(file, ValueNaming);
  std::vector<std::string> written;
  file.ReadSection(InfoSection, written);
  std::vector<std::string> settings;
  for (const ConfigKey* key : InfoKeys)
    if (key->role == KeyRole::Setting) settings.emplace_back(key->name);
  EXPECT_EQ(written, settings) << "no state key, and the settings in table order";
  EXPECT_EQ(file.ReadString(InfoSection, "Display Order", ""), "Display Order value");
  EXPECT_EQ(file.ReadString(InfoSection, "Except:Width", ""), "6");
  EXPECT_EQ(file.ReadString(InfoSection, "Except:Enabled", ""), "1");
  EXPECT_EQ(file.ReadString(InfoSection, "ConfirmRemove", ""), "0");
  EXPECT_EQ(file.ReadString(InfoSection, "SortImages", ""), "1");
}

TEST_F(SettingsIoTest, AValueThatCannotBeHadStopsTheSaveAtItsKey) {
  TBigIniFile& file = Ini("[Info]\r\nLastImageNm=/a.bmp\r\n");
  const auto failing = [](const ConfigKey& key) -> TKeyValue {
    if (key.id == InfoKeyId::TriggerQty) return StrToInt("x1");
    return ValueNaming(key);
  };
  EXPECT_THROW(WriteSettings(file, failing), TConvertError);
  EXPECT_EQ(file.ReadString(InfoSection, "Fill Color", ""), "12") << "written before the failing key";
  EXPECT_EQ(file.ReadString(InfoSection, "Trigger Qty", "none"), "none");
  EXPECT_EQ(file.ReadString(InfoSection, "AutoClose", "none"), "none") << "nothing after it";
  EXPECT_EQ(file.ReadString(InfoSection, "LastImageNm", ""), "/a.bmp");
}

TEST_F(SettingsIoTest, MissingOrUnreadableValuesGiveTheKeysDefault) {
  const double now = 45000.25;
  const TRunDefaults run{"/home/me/Pictures", "/opt/tesserine", now};
  const TInfoReader missing(Ini(), run);
  EXPECT_EQ(missing.Text(InfoKey::DefaultDirectory), "/home/me/Pictures");
  EXPECT_EQ(missing.Text(InfoKey::ImgMgrDirectory), "/opt/tesserine");
  EXPECT_EQ(missing.Text(InfoKey::DefaultDisplay), "TILE");
  EXPECT_EQ(missing.Text(InfoKey::ExceptDefaultDisplay), "STRETCH");
  EXPECT_EQ(missing.Text(InfoKey::DisplayOrder), "");
  EXPECT_EQ(missing.Text(InfoKey::Monitors), "SAME");
  EXPECT_EQ(missing.Integer(InfoKey::IMSplitter), 305);
  EXPECT_EQ(missing.Integer(InfoKey::TriggerQty), 1);
  EXPECT_TRUE(missing.Bool(InfoKey::SortImages));
  EXPECT_FALSE(missing.Bool(InfoKey::AutoClose));
  EXPECT_DOUBLE_EQ(missing.DateTime(InfoKey::LastChgDateTime), now - 1000);

  const std::string stored =
      "[info]\r\nimgmgr directory=/photos\r\nIMSplitter=0x10\r\nSortImages=zero\r\n"
      "LastChgDateTime=not a date\r\nExcept:Width=-3\r\n";
  const TInfoReader file(Ini(stored), run);
  EXPECT_EQ(file.Text(InfoKey::ImgMgrDirectory), "/photos");
  EXPECT_EQ(file.Integer(InfoKey::IMSplitter), 16);
  EXPECT_EQ(file.Integer(InfoKey::ExceptWidth), -3);
  EXPECT_TRUE(file.Bool(InfoKey::SortImages)) << "a value that does not convert gives the default";
  EXPECT_DOUBLE_EQ(file.DateTime(InfoKey::LastChgDateTime), now - 1000);

  const std::string date = "[Info]\r\nLastChgDateTime=" + DateTimeToText(44000.5) + "\r\n";
  EXPECT_DOUBLE_EQ(TInfoReader(Ini(date), run).DateTime(InfoKey::LastChgDateTime), 44000.5);
}

// "Monitors" is written only when it is not "SAME", and a save with "SAME" removes it (and a
// hand-made duplicate), so a file that never uses it keeps its bytes.
TEST_F(SettingsIoTest, AKeyWrittenOnlyWhenChangedIsRemovedAtItsDefault) {
  TBigIniFile& file = Ini("[Info]\r\nMonitors=EACH\r\nmonitors=SPAN\r\n");
  std::string monitors = "SAME";
  const auto values = [&monitors](const ConfigKey& key) -> TKeyValue {
    if (key.id == InfoKeyId::Monitors) return monitors;
    return ValueNaming(key);
  };
  WriteSettings(file, values);
  EXPECT_EQ(file.ReadString(InfoSection, "Monitors", "none"), "none");
  EXPECT_EQ(file.FileText().find("onitors"), std::string::npos) << file.FileText();
  monitors = "SPAN";
  WriteSettings(file, values);
  EXPECT_EQ(file.ReadString(InfoSection, "Monitors", ""), "SPAN");
  std::vector<std::string> keys;
  file.ReadSection(InfoSection, keys);
  EXPECT_EQ(keys.back(), "Monitors") << "written after the original settings";
  EXPECT_EQ(TInfoReader(file, {}).Text(InfoKey::Monitors), "SPAN");
}

TEST_F(SettingsIoTest, ReadingAKeyAsAnotherTypeIsRefused) {
  const TInfoReader reader(Ini(), {});
  EXPECT_THROW(reader.Integer(InfoKey::SortImages), std::logic_error);
  EXPECT_THROW(reader.Bool(InfoKey::TriggerQty), std::logic_error);
  EXPECT_THROW(reader.Text(InfoKey::LastChgDateTime), std::logic_error);
  EXPECT_THROW(reader.DateTime(InfoKey::LastImageNm), std::logic_error);
}

}  // namespace
