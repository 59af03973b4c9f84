#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "config/IniCaseFold.h"
#include "config/IniInteger.h"
#include "config/IniText.h"

namespace {

using namespace std::string_literals;

TEST(SplitIniLines, SplitsAtEveryLineEndAndDropsEmptyLines) {
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "b"}},
      {"a\r\r\nb", {"a", "b"}},
      {"\r\n\r\n\n\ra\r\n\r\n", {"a"}},
      {"a\r\n\x1A", {"a"}},
      {"a\r\n\x1A\r\nb", {"a", "b"}},
      {"\x1A\x1A\r\n\x1A"
       "b\r\nb\x1A",
       {"\x1A\x1A",
        "\x1A"
        "b",
        "b\x1A"}},
      {"a\r\nb\0c\r\nd"s, {"a", "b"}},
      {"\0a\r\n"s, {}},
      {"\xEF\xBB\xBF[Info]\r\nk=v", {"[Info]", "k=v"}},
      {"x\r\n\xEF\xBB\xBFk=v", {"x", "\xEF\xBB\xBFk=v"}},
      {" \r\n\t", {" ", "\t"}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string_view> lines = SplitIniLines(row.bytes);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), row.lines) << testing::PrintToString(row.bytes);
  }
}

TEST(IniSectionName, NeedsBracketsAtBothEndsAndKeepsBlanks) {
  struct Row {
    const char* line;
    std::optional<std::string_view> name;
  };
  const Row rows[] = {
      {"[Info]", "Info"},        {"[ Info ]", " Info "}, {"[]", ""},
      {"[a=b]", "a=b"},          {"[[x]]", "[x]"},       {"[Info] ", std::nullopt},
      {" [Info]", std::nullopt}, {"[", std::nullopt},    {"]", std::nullopt},
      {"[x=y", std::nullopt},    {"Info", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(IniSectionName(row.line), row.name) << row.line;
}

TEST(IniLineKey, IsTheUntrimmedTextBeforeTheFirstEquals) {
  struct Row {
    const char* line;
    std::optional<std::string_view> key;
  };
  const Row rows[] = {
      {"Key=Value", "Key"}, {"Key = Value", "Key "},     {" Key=", " Key"},          {"=v", ""},
      {"a=b=c", "a"},       {"no equals", std::nullopt}, {";comment", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(IniLineKey(row.line), row.key) << row.line;
}

TEST(IniCaseFold, FoldsUnicodeAndKeepsInvalidBytes) {
  struct Row {
    std::string a;
    std::string b;
    bool same;
  };
  const Row rows[] = {
      {"Info", "INFO", true},
      {"AutoClose Minutes", "autoclose minutes", true},
      {"Été.jpg", "été.jpg", true},
      {"ÉTÉ.JPG", "été.jpg", true},
      {"ΣΊΣΥΦΟΣ", "σίσυφος", true},
      {"\xE2\x84\xAA", "k", true},
      {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", true},
      {"Info ", "Info", false},
      {"Été", "Ete", false},
      {"\xC9t\xE9", "\xC9T\xE9", true},
      {"\xC9t\xE9", "\xE9t\xE9", false},
      {"\xC9t\xE9", "Été", false},
      {"É\xFFt", "é\xFFT", true},
      {"A\xC3", "a\xC3", true},
      {"\xC3", "\xC3\x83", false},
      {"\xC0\xAF", "/", false},
      {"\xED\xA0\x80", "\xED\xA0\x80", true},
      {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80", true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IniCaseFold(row.a) == IniCaseFold(row.b), row.same)
        << testing::PrintToString(row.a) << " vs " << testing::PrintToString(row.b);
  }
}

TEST(IniCaseFold, InvalidBytesSurviveUnchanged) {
  EXPECT_EQ(IniCaseFold("\xFF\xFE"), "\xFF\xFE");
  EXPECT_EQ(IniCaseFold("A\xE9"
                        "B"),
            "a\xE9"
            "b");
  EXPECT_EQ(IniCaseFold("\xC3\x89\xC3"), "\xC3\xA9\xC3");
  EXPECT_EQ(IniCaseFold("\xED\xA0\x80Z"), "\xED\xA0\x80z");
}

TEST(IniValueToInt, ConvertsSignedDecimalAndHexadecimal) {
  struct Row {
    std::string text;
    std::optional<std::int32_t> value;
  };
  const std::string zeros253(253, '0');
  const Row rows[] = {
      {"0", 0},
      {"123", 123},
      {"00012", 12},
      {"-123", -123},
      {"+7", 7},
      {"-0", 0},
      {"2147483647", INT_MAX},
      {"2147483648", std::nullopt},
      {"-2147483648", INT_MIN},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"0x0000FF", 255},
      {"0X00ff", 255},
      {"$FF", 255},
      {"$ff", 255},
      {"-$10", -16},
      {"+$10", 16},
      {"-0x10", -16},
      {"0x7FFFFFFF", INT_MAX},
      {"0xFFFFFFFF", -1},
      {"$80000000", INT_MIN},
      {"0x100000000", std::nullopt},
      {"0x" + zeros253 + "FF", 255},
      {"0x" + zeros253 + "0FF", 15},
      {"0x" + std::string(300, 'F'), std::nullopt},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"--5", std::nullopt},
      {"$$5", std::nullopt},
      {"0x-5", std::nullopt},
      {"0x+5", std::nullopt},
      {"0x0x5", std::nullopt},
      {"abc", std::nullopt},
      {"12a", std::nullopt},
      {" 12", std::nullopt},
      {"12 ", std::nullopt},
      {"1e3", std::nullopt},
      {"1.0", std::nullopt},
      {"$G", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(IniValueToInt(row.text), row.value) << row.text.substr(0, 40);
}

}  // namespace
