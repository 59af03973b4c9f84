#include "config/BigIni.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "support/FileBytes.h"

namespace {

using namespace std::string_literals;

class BigIniTest : public testing::Test {
 protected:
  std::string PathOf(const char* name) const { return QDir(dir_.path()).filePath(name).toStdString(); }

  std::string WriteFile(const std::string& bytes, const char* name = "test.INI") const {
    const std::string path = PathOf(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  static std::string ReadFile(const std::string& path) { return ReadFileBytes(path); }

  QTemporaryDir dir_;
};

const std::string kSample =
    "[Info]\r\n"
    "Key=Value\r\n"
    " spaced = x\r\n"
    "Spaced=y\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "=empty key\r\n"
    "; a comment\r\n"
    "a=b=c\r\n"
    "\xC3\x89t\xC3\xA9.jpg=TILE.NOT\r\n"
    "\xC9t\xE9=latin\r\n"
    "[Info]\r\n"
    "Other=second section\r\n"
    "[ Info]\r\n"
    "Blank=1\r\n"
    "[]\r\n"
    "nameless=yes\r\n";

TEST_F(BigIniTest, LoadingKeepsSectionLinesAndDropsTheRest) {
  struct Row {
    std::string bytes;
    std::string text;
  };
  const Row rows[] = {
      {"[A]\r\nk=v\r\n", "[A]\r\nk=v\r\n\r\n"},
      {"[A]\nk=v\rx=y\r\nz", "[A]\r\nk=v\r\nx=y\r\nz\r\n\r\n"},
      {"junk\r\nk=1\r\n[A]\r\nk=2", "[A]\r\nk=2\r\n\r\n"},
      {"[A]\r\n\r\n\x1A\r\nk=v\r\n\r\n\x1A", "[A]\r\nk=v\r\n\r\n"},
      {"[A]\r\n\x1A"
       "x\r\n",
       "[A]\r\n\x1A"
       "x\r\n\r\n"},
      {"[A]\r\nk=v\r\nx=y\0z=w\r\n[B]\r\nq=1"s, "[A]\r\nk=v\r\nx=y\r\n\r\n"},
      {"[A]\r\n[B]\r\nk=v", "[B]\r\nk=v\r\n\r\n"},
      {"[A]\r\na=1\r\n[a]\r\na=2", "[A]\r\na=1\r\n\r\n[a]\r\na=2\r\n\r\n"},
      {"[ A ]\r\nk=v\r\n[A] \r\nx", "[ A ]\r\nk=v\r\n[A] \r\nx\r\n\r\n"},
      {"[A]\r\n;comment\r\nk=v\r\nno equals\r\n", "[A]\r\n;comment\r\nk=v\r\nno equals\r\n\r\n"},
      {"\xEF\xBB\xBF[A]\r\nk=v", "[A]\r\nk=v\r\n\r\n"},
      {"[\xE9t\xE9]\r\n\xFF=\xFE\r\n", "[\xE9t\xE9]\r\n\xFF=\xFE\r\n\r\n"},
      {"no section\r\n", ""},
  };
  for (const Row& row : rows) {
    const TBigIniFile ini(WriteFile(row.bytes));
    EXPECT_EQ(ini.FileText(), row.text) << testing::PrintToString(row.bytes);
    EXPECT_FALSE(ini.Modified());
  }
}

TEST_F(BigIniTest, ReadStringFindsTheFirstMatchIgnoringCase) {
  const TBigIniFile ini(WriteFile(kSample));
  struct Row {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Row rows[] = {
      {"info", "KEY", "Value"},
      {"Info", "spaced", "y"},
      {"Info", " spaced ", " x"},
      {"Info", " spaced", "-"},
      {"INFO", "DUP", "first"},
      {"Info", "", "empty key"},
      {"Info", "; a comment", "-"},
      {"Info", "a", "b=c"},
      {"Info", "a=b", "-"},
      {"Info", "\xC3\xA9t\xC3\xA9.jpg", "TILE.NOT"},
      {"Info", "\xC3\x89T\xC3\x89.JPG", "TILE.NOT"},
      {"Info", "\xC9T\xE9", "latin"},
      {"Info", "\xE9t\xE9", "-"},
      {"Info", "Other", "-"},
      {" info", "blank", "1"},
      {"Info", "Blank", "-"},
      {"", "Nameless", "yes"},
      {"Missing", "Key", "-"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ini.ReadString(row.section, row.key, "-"), row.expected) << row.section << "/" << row.key;
  }
}

TEST_F(BigIniTest, ReadSectionAppendsKeysAndLinesInOrder) {
  const TBigIniFile ini(WriteFile("[S]\r\nb=2\r\nnote\r\n=x\r\nA=1\r\nb=3\r\n[s]\r\nz=9\r\n"));
  std::vector<std::string> keys{"kept"};
  ini.ReadSection("s", keys);
  EXPECT_EQ(keys, (std::vector<std::string>{"kept", "b", "", "", "A", "b"}));
  std::vector<std::string> lines{"kept"};
  ini.ReadSectionValues("S", lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"kept", "b=2", "note", "=x", "A=1", "b=3"}));

  ini.ReadSection("Missing", keys);
  ini.ReadSectionValues("Missing", lines);
  EXPECT_EQ(keys.size(), 6u);
  EXPECT_EQ(lines.size(), 6u);
}

TEST_F(BigIniTest, WriteStringReplacesOrAppendsAndTracksChanges) {
  struct Row {
    const char* section;
    const char* key;
    const char* value;
    bool modified;
    std::string text;
  };
  const Row rows[] = {
      {"Info", "Key", "Value", false, "[Info]\r\nKey=Value\r\ndup=1\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"info", "KEY", "Value", true, "[Info]\r\nKEY=Value\r\ndup=1\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"Info", "Key", "New", true, "[Info]\r\nKey=New\r\ndup=1\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"Info", "Key", "", true, "[Info]\r\nKey=\r\ndup=1\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"Info", "dup", "3", true, "[Info]\r\nKey=Value\r\ndup=3\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"Info", "x", "2", true, "[Info]\r\nKey=Value\r\ndup=1\r\ndup=2\r\nx=2\r\n\r\n[info]\r\nx=1\r\n\r\n"},
      {"New", "k", "v", true, "[Info]\r\nKey=Value\r\ndup=1\r\ndup=2\r\n\r\n[info]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n\r\n"},
      {"Info", "Key ", "v", true, "[Info]\r\nKey=Value\r\ndup=1\r\ndup=2\r\nKey =v\r\n\r\n[info]\r\nx=1\r\n\r\n"},
  };
  const std::string original = "[Info]\r\nKey=Value\r\ndup=1\r\ndup=2\r\n[info]\r\nx=1\r\n";
  for (const Row& row : rows) {
    TBigIniFile ini(WriteFile(original));
    ini.WriteString(row.section, row.key, row.value);
    EXPECT_EQ(ini.Modified(), row.modified) << row.section << "/" << row.key << "=" << row.value;
    EXPECT_EQ(ini.FileText(), row.text) << row.section << "/" << row.key << "=" << row.value;
  }
}

TEST_F(BigIniTest, SameTextLeavesAnEarlierChangeMarked) {
  TBigIniFile ini(WriteFile("[A]\r\nk=v\r\n"));
  ini.WriteString("A", "n", "1");
  ini.WriteString("A", "k", "v");
  EXPECT_TRUE(ini.Modified());
}

TEST_F(BigIniTest, KeyWithEqualsIsAppendedAndFoundByItsOwnKey) {
  TBigIniFile ini(WriteFile("[A]\r\na=b=c\r\n"));
  ini.WriteString("A", "a=b", "z");
  ini.WriteString("A", "p=q", "1");
  EXPECT_EQ(ini.FileText(), "[A]\r\na=b=c\r\na=b=z\r\np=q=1\r\n\r\n");
  EXPECT_EQ(ini.ReadString("A", "a", "-"), "b=c");
  EXPECT_EQ(ini.ReadString("A", "p", "-"), "q=1");
  EXPECT_EQ(ini.ReadString("A", "a=b", "-"), "-");
}

TEST_F(BigIniTest, EmptyKeyErasesTheSectionOrSavesTheFile) {
  const std::string path = WriteFile("[A]\r\nk=v\r\n[]\r\nn=1\r\n");
  TBigIniFile ini(path);
  ini.WriteString("Missing", "", "");
  EXPECT_FALSE(ini.Modified());
  ini.WriteString("", "", "anything");
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ini.FileText(), "[A]\r\nk=v\r\n\r\n");

  ini.WriteString("", "", "");
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ReadFile(path), "[A]\r\nk=v\r\n\r\n");

  ini.WriteString("a", "", "");
  EXPECT_TRUE(ini.Modified());
  EXPECT_EQ(ini.FileText(), "");
}

TEST_F(BigIniTest, EraseSectionKeepsItsPlaceAndAlwaysMarks) {
  TBigIniFile ini(WriteFile("[A]\r\nk=v\r\n[Empty]\r\n[B]\r\nx=1\r\n[a]\r\nk=second\r\n"));
  ini.EraseSection("Missing");
  EXPECT_FALSE(ini.Modified());
  ini.EraseSection("empty");
  EXPECT_TRUE(ini.Modified());

  ini.EraseSection("A");
  EXPECT_EQ(ini.ReadString("A", "k", "-"), "-");
  EXPECT_EQ(ini.FileText(), "[B]\r\nx=1\r\n\r\n[a]\r\nk=second\r\n\r\n");
  ini.WriteString("A", "n", "1");
  ini.WriteString("a", "k", "w");
  EXPECT_EQ(ini.FileText(), "[A]\r\nn=1\r\nk=w\r\n\r\n[B]\r\nx=1\r\n\r\n[a]\r\nk=second\r\n\r\n");
  EXPECT_EQ(ini.ReadString("a", "K", "-"), "w");
}

TEST_F(BigIniTest, IntegersAndBooleans) {
  TBigIniFile ini(WriteFile("[I]\r\nhex=0x0000FF\r\nletters=abc\r\nempty=\r\nneg=-12\r\ntwo=2\r\nzero=0\r\n"));
  struct Row {
    const char* key;
    std::int32_t fallback;
    std::int32_t expected;
  };
  const Row rows[] = {{"hex", 7, 255}, {"letters", 7, 7}, {"empty", -3, -3}, {"missing", 9, 9}, {"NEG", 0, -12}};
  for (const Row& row : rows) EXPECT_EQ(ini.ReadInteger("i", row.key, row.fallback), row.expected) << row.key;

  EXPECT_TRUE(ini.ReadBool("I", "two", false));
  EXPECT_FALSE(ini.ReadBool("I", "zero", true));
  EXPECT_TRUE(ini.ReadBool("I", "letters", true));
  EXPECT_FALSE(ini.ReadBool("I", "letters", false));
  EXPECT_TRUE(ini.ReadBool("Missing", "x", true));

  ini.WriteInteger("W", "min", INT32_MIN);
  ini.WriteInteger("W", "pos", 305);
  ini.WriteBool("W", "t", true);
  ini.WriteBool("W", "f", false);
  EXPECT_EQ(ini.ReadInteger("W", "min", 0), INT32_MIN);
  EXPECT_EQ(ini.FileText().substr(ini.FileText().find("[W]")),
            "[W]\r\nmin=-2147483648\r\npos=305\r\nt=1\r\nf=0\r\n\r\n");
}

TEST_F(BigIniTest, RefusesTextsThatWouldNotReadBack) {
  TBigIniFile ini(WriteFile("[A]\r\nk=v\r\n"));
  struct Row {
    std::string section;
    std::string key;
    std::string value;
  };
  const Row rows[] = {
      {"A", "k", "two\r\nlines"}, {"A", "new\nline", "v"}, {"A\r", "k", "v"},
      {"A", "k", "nul\0byte"s},   {"A", "[x", "y]"},
  };
  for (const Row& row : rows) {
    EXPECT_THROW(ini.WriteString(row.section, row.key, row.value), TIniFileError) << testing::PrintToString(row.key);
  }
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(ini.FileText(), "[A]\r\nk=v\r\n\r\n");

  ini.WriteString("A", "[x", "y");
  ini.WriteString("A", "x", "[y]");
  EXPECT_EQ(ini.FileText(), "[A]\r\nk=v\r\n[x=y\r\nx=[y]\r\n\r\n");
}

TEST_F(BigIniTest, WrittenFileLoadsBackToTheSameText) {
  const std::string path = WriteFile(kSample);
  std::string written;
  {
    TBigIniFile ini(path);
    ini.WriteString("Info", "\xC3\xA9T\xC3\xA9.JPG", "STRETCH.NOT");
    ini.WriteString("Bitmaps", "/pics/\xFF.bmp", "TILE.MARKED");
    ini.UpdateFile();
    EXPECT_FALSE(ini.Modified());
    written = ReadFile(path);
    EXPECT_EQ(written, ini.FileText());
  }
  const TBigIniFile again(path);
  EXPECT_EQ(again.FileText(), written);
  EXPECT_EQ(again.ReadString("bitmaps", "/PICS/\xFF.BMP", "-"), "TILE.MARKED");
  EXPECT_EQ(again.ReadString("info", "\xC3\xA9t\xC3\xA9.jpg", "-"), "STRETCH.NOT");
}

}  // namespace
