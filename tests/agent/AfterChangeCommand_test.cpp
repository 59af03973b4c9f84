// What the command after a change is handed: the shell, the command, "$0" and "$1", and the
// monitors' pictures one per line; and when nothing runs at all.
#include "agent/AfterChangeCommand.h"

#include <gtest/gtest.h>

#include "agent/MonitorPlan.h"

TEST(AfterChangeCommand, TheShellGetsTheCommandAndThePicturesAsTheyAre) {
  struct Row {
    const char* name;
    std::string command;
    std::vector<std::string> pictures;
    std::optional<TProcessStart> start;
  };
  const Row rows[] = {
      {"one monitor",
       R"(notify-send "$1")",
       {"/home/u/Pictures/sea.jpg"},
       TProcessStart{"/bin/sh",
                     {"-c", R"(notify-send "$1")", "tesserine", "/home/u/Pictures/sea.jpg"},
                     {{"TESSERINE_PICTURES", "/home/u/Pictures/sea.jpg"}}}},
      {"three monitors, the primary first",
       "wal -n -i \"$1\"",
       {"/p/a.png", "/p/b.webp", "/p/a.png"},
       TProcessStart{"/bin/sh",
                     {"-c", "wal -n -i \"$1\"", "tesserine", "/p/a.png"},
                     {{"TESSERINE_PICTURES", "/p/a.png\n/p/b.webp\n/p/a.png"}}}},
      {"a name with blanks, quotes and a dollar is handed over untouched",
       "matugen image \"$1\"",
       {"/p/it's $HOME \"x\".jpg"},
       TProcessStart{"/bin/sh",
                     {"-c", "matugen image \"$1\"", "tesserine", "/p/it's $HOME \"x\".jpg"},
                     {{"TESSERINE_PICTURES", "/p/it's $HOME \"x\".jpg"}}}},
      {"no command", "", {"/p/a.png"}, std::nullopt},
      {"blanks only", " \t ", {"/p/a.png"}, std::nullopt},
      {"no picture", "notify-send \"$1\"", {}, std::nullopt},
      {"no primary picture", "notify-send \"$1\"", {""}, std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(AfterChangeStart(row.command, row.pictures), row.start) << row.name;
}

TEST(AfterChangeCommand, EveryMonitorIsListedWithThePictureItShows) {
  struct Row {
    const char* name;
    std::vector<std::string> further;
    std::size_t monitors;
    std::vector<std::string> shown;
  };
  const Row rows[] = {
      {"one monitor", {}, 1, {"/a"}},
      {"one picture for two monitors, or across them", {}, 2, {"/a", "/a"}},
      {"a picture each", {"/b", "/c"}, 3, {"/a", "/b", "/c"}},
      {"a further monitor whose picture is not known shows the primary's", {"/b"}, 3, {"/a", "/b", "/a"}},
      {"pictures of monitors no longer there are left out", {"/b", "/c"}, 2, {"/a", "/b"}},
      {"no monitor known still lists the primary", {}, 0, {"/a"}},
  };
  for (const Row& row : rows) EXPECT_EQ(ShownPictures("/a", row.further, row.monitors), row.shown) << row.name;
}
