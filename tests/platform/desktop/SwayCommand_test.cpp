#include "platform/desktop/sway/SwayCommand.h"

#include <gtest/gtest.h>
#include <wordexp.h>

#include <vector>

namespace {

// What sway does to one command before the bg handler sees the file argument: "$$"
// becomes "$", the line splits into whitespace-separated arguments (quotes and backslash
// escapes hold them together), and one level of quotes is stripped, backslashes kept.
std::string ResolveDoubleDollars(const std::string& command) {
  std::string out;
  for (size_t i = 0; i < command.size(); ++i) {
    out += command[i];
    if (command[i] == '$' && i + 1 < command.size() && command[i + 1] == '$') ++i;
  }
  return out;
}

std::vector<std::string> SplitArgs(const std::string& line) {
  std::vector<std::string> args;
  std::string current;
  bool inString = false, inChar = false, escaped = false, inToken = false;
  for (const char c : line) {
    if (!inString && !inChar && !escaped && (c == ' ' || c == '\t')) {
      if (inToken) args.push_back(current);
      current.clear();
      inToken = false;
      continue;
    }
    inToken = true;
    current += c;
    if (escaped) {
      escaped = false;
    } else if (c == '\\') {
      escaped = true;
    } else if (c == '"' && !inChar) {
      inString = !inString;
    } else if (c == '\'' && !inString) {
      inChar = !inChar;
    }
  }
  if (inToken) args.push_back(current);
  return args;
}

// Backslashes and the characters they escape stay; bare quotes go.
std::string StripQuotes(const std::string& arg) {
  std::string out;
  bool inString = false, inChar = false, escaped = false;
  for (const char c : arg) {
    if (c == '\'' && !inString && !escaped) {
      inChar = !inChar;
    } else if (c == '"' && !inChar && !escaped) {
      inString = !inString;
    } else {
      escaped = c == '\\' && !escaped;
      out += c;
    }
  }
  return out;
}

// True when a ';' or ',' outside quotes would end the command early.
bool HasBareSeparator(const std::string& command) {
  bool inString = false, inChar = false, escaped = false;
  for (const char c : command) {
    if (escaped) {
      escaped = false;
    } else if (c == '\\') {
      escaped = true;
    } else if (c == '"' && !inChar) {
      inString = !inString;
    } else if (c == '\'' && !inString) {
      inChar = !inChar;
    } else if ((c == ';' || c == ',') && !inString && !inChar) {
      return true;
    }
  }
  return false;
}

// sway escapes the second of two blanks in a row before it expands the path.
std::string EscapeDoubleBlanks(std::string path) {
  for (size_t at = path.find("  "); at != std::string::npos; at = path.find("  ")) path.insert(at + 1, "\\");
  return path;
}

// The shell-word expansion sway applies to the path, with command substitution refused so
// that an attempt to run one shows as an error instead of running.
std::optional<std::string> ExpandAsSwayDoes(const std::string& path) {
  wordexp_t words{};
  const int status = wordexp(path.c_str(), &words, WRDE_NOCMD | WRDE_UNDEF);
  if (status != 0) return std::nullopt;
  std::string joined;
  for (size_t i = 0; i < words.we_wordc; ++i) joined += (i ? " " : "") + std::string(words.we_wordv[i]);
  const bool single = words.we_wordc == 1;
  wordfree(&words);
  if (!single) return std::nullopt;
  return joined;
}

TEST(SwayCommand, HostileFileNamesArriveUnchangedAndRunNothing) {
  const char* const names[] = {
      "/home/u/plain.bmp",
      "/home/u/two  spaces and  more.bmp",
      "/home/u/it's \"quoted\".bmp",
      "/home/u/$(touch /tmp/owned).bmp",
      "/home/u/`touch /tmp/owned`.bmp",
      "/home/u/$HOME ${HOME} $$.bmp",
      "/home/u/back\\slash\\\\.bmp",
      "/home/u/semi;colon, comma.bmp",
      "/home/u/*?[a].bmp",
      "~/tilde.bmp",
      "/home/u/'';'\\'.bmp",
      "/home/u/tab\there.bmp",
      "/home/u/back\\\"quote\\$HOME\\'.bmp",
  };
  for (const char* name : names) {
    const std::string command = SwayBackgroundCommand({name, WallpaperLayout::Stretch});
    EXPECT_FALSE(HasBareSeparator(command)) << command;
    const std::vector<std::string> args = SplitArgs(ResolveDoubleDollars(command));
    ASSERT_EQ(args.size(), 5u) << command;
    EXPECT_EQ(args[0], "output");
    EXPECT_EQ(args[1], "*");
    EXPECT_EQ(args[2], "bg");
    EXPECT_EQ(args[4], "stretch");
    EXPECT_EQ(ExpandAsSwayDoes(EscapeDoubleBlanks(StripQuotes(args[3]))), std::string(name)) << command;
  }
}

TEST(SwayCommand, LayoutWordsAndNoWallpaper) {
  EXPECT_EQ(SwayBackgroundCommand({"/a.bmp", WallpaperLayout::Tile}), "output * bg '\"/a.bmp\"' tile");
  EXPECT_EQ(SwayBackgroundCommand({"/a.bmp", WallpaperLayout::Center}), "output * bg '\"/a.bmp\"' center");
  EXPECT_EQ(SwayBackgroundCommand({"/a.bmp", WallpaperLayout::Stretch}), "output * bg '\"/a.bmp\"' stretch");
  EXPECT_EQ(SwayBackgroundCommand({"", WallpaperLayout::Tile}), "output * bg #000000 solid_color");
}

TEST(SwayCommand, LineBreaksAreRefusedNotSplitIntoCommands) {
  for (const std::string& name : {std::string("/a\nexec rm x.bmp"), std::string("/a\r.bmp"), std::string("/a\0b", 4)}) {
    try {
      SwayBackgroundCommand({name, WallpaperLayout::Tile});
      FAIL() << "accepted";
    } catch (const TDesktopError& error) {
      EXPECT_STREQ(
          error.what(),
          "The sway compositor cannot be given this file name (it holds a line break); the wallpaper was not changed.");
    }
  }
}

}  // namespace
