// The list edits shared by the user's commands, the agent and the load: what each leaves
// selected, and the Images page's enabled controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imagelist/ImagesPageButtons.h"
#include "imagelist/ListEdits.h"

namespace {

// An unsorted list of the names, with the rows given selected (the first of them focused).
TImageList ListOf(const std::vector<std::string>& names, const std::vector<int>& selected = {}) {
  TImageList list;
  list.SetSorted(false);
  for (const std::string& name : names) list.Append({name, DispObj::Center, -1});
  for (int row : selected) list.SetSelected(row, true);
  if (!selected.empty()) list.SetFocused(selected.front());
  return list;
}

std::vector<std::string> Names(const TImageList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).fileName);
  return names;
}

std::vector<int> SelectedRows(const TImageList& list) {
  std::vector<int> rows;
  for (int i = 0; i < list.Count(); ++i)
    if (list.Selected(i)) rows.push_back(i);
  return rows;
}

}  // namespace

TEST(ImageListEdits, RemoveSelectsTheEntryThatTakesItsPlace) {
  struct Row {
    const char* name;
    std::vector<std::string> names;
    std::vector<int> selected;
    bool all;  // the shortcut menu's Remove of every selected entry
    std::vector<std::string> left;
    int reselected;
    std::vector<int> selectedAfter;
  };
  const Row rows[] = {
      {"middle entry", {"/a", "/b", "/c"}, {1}, false, {"/a", "/c"}, 1, {1}},
      {"last entry: the new last", {"/a", "/b", "/c"}, {2}, false, {"/a", "/b"}, 1, {1}},
      {"only entry", {"/a"}, {0}, false, {}, -1, {}},
      {"first of several selected", {"/a", "/b", "/c", "/d"}, {1, 3}, false, {"/a", "/c", "/d"}, 1, {1, 2}},
      {"every selected one", {"/a", "/b", "/c", "/d"}, {1, 3}, true, {"/a", "/c"}, 1, {1}},
      {"every entry", {"/a", "/b"}, {0, 1}, true, {}, -1, {}},
      {"nothing selected", {"/a", "/b"}, {}, true, {"/a", "/b"}, -1, {}},
  };
  for (const Row& row : rows) {
    TImageList list = ListOf(row.names, row.selected);
    const int reselected = row.all ? RemoveSelected(list) : RemoveAndReselect(list, list.FirstSelected());
    EXPECT_EQ(Names(list), row.left) << row.name;
    EXPECT_EQ(reselected, row.reselected) << row.name;
    EXPECT_EQ(SelectedRows(list), row.selectedAfter) << row.name;
    if (reselected >= 0) {
      EXPECT_EQ(list.Focused(), reselected) << row.name;
    }
  }
}

TEST(ImageListEdits, MoveStaysInsideTheList) {
  struct Row {
    int index;
    int delta;
    int target;
    std::vector<std::string> after;
  };
  const Row rows[] = {
      {1, -1, 0, {"/b", "/a", "/c"}}, {1, 1, 2, {"/a", "/c", "/b"}},   {0, -1, -1, {"/a", "/b", "/c"}},
      {2, 1, -1, {"/a", "/b", "/c"}}, {-1, 1, -1, {"/a", "/b", "/c"}},
  };
  for (const Row& row : rows) {
    TImageList list = ListOf({"/a", "/b", "/c"}, row.index >= 0 ? std::vector<int>{row.index} : std::vector<int>{});
    EXPECT_EQ(CanMove(list, row.index, row.delta), row.target >= 0) << row.index << row.delta;
    EXPECT_EQ(MoveEntry(list, row.index, row.delta), row.target) << row.index << row.delta;
    EXPECT_EQ(Names(list), row.after) << row.index << row.delta;
    if (row.target >= 0) {
      EXPECT_EQ(SelectedRows(list), std::vector<int>{row.target});
    }
  }
}

TEST(ImageListEdits, SelectOnlyAndTheEntryALoadedListStartsOn) {
  TImageList list = ListOf({"/a", "/b", "/c"}, {0, 2});
  EXPECT_TRUE(SelectOnly(list, 1));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
  EXPECT_EQ(list.Focused(), 1);
  EXPECT_FALSE(SelectOnly(list, 3));
  EXPECT_FALSE(SelectOnly(list, -1));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{1});

  struct Row {
    std::optional<std::string> wallpaper;
    std::string last;
    int start;
  };
  const Row rows[] = {
      {"/C", "/a", 2},  // the desktop's wallpaper, however its case is written
      {"/elsewhere.bmp", "/b", 1},
      {std::nullopt, "/b", 1},
      {std::nullopt, "/gone", 0},
  };
  for (const Row& row : rows) EXPECT_EQ(StartEntry(list, row.wallpaper, row.last), row.start) << row.last;
  EXPECT_EQ(StartEntry(TImageList(), std::string("/a"), "/a"), -1);
}

TEST(ImageListEdits, AddOneFileOrABatch) {
  TImageList list = ListOf({"/a"});
  EXPECT_EQ(AddOrSelect(list, "  /b  ", DispObj::Tile), 1);
  EXPECT_EQ(list.At(1).fileName, "/b");
  EXPECT_EQ(list.At(1).disp, DispObj::Tile);
  EXPECT_EQ(AddOrSelect(list, "/A", DispObj::Tile), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(AddOrSelect(list, "   ", DispObj::Tile), -1);
  EXPECT_EQ(AddOrSelect(list, "/x=y.bmp", DispObj::Tile), std::nullopt);
  EXPECT_EQ(list.Count(), 2);

  // A sorted list takes the batch in sorted order; the entries it had are selected too, and
  // the last file's entry has the focus.
  TImageList sorted;
  sorted.Append({"/m", DispObj::Center, -1});
  sorted.SetSelected(0, false);
  int focused = -1;
  {
    TAddBatch batch(sorted);
    EXPECT_TRUE(batch.Add("/z", DispObj::Stretch, false));
    EXPECT_TRUE(batch.Add("/M", DispObj::Stretch, false));
    EXPECT_FALSE(batch.Add("/bad\nname", DispObj::Stretch, false));
    EXPECT_TRUE(batch.Add("/b", DispObj::Stretch, true));
    focused = batch.Finish();
  }
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"/b", "/m", "/z"}));
  EXPECT_EQ(SelectedRows(sorted), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(focused, 0);
  EXPECT_EQ(sorted.Focused(), 0);
  EXPECT_EQ(sorted.At(1).disp, DispObj::Center);
  EXPECT_FALSE(sorted.Updating());

  // A batch left by an error still ends, so the list is sorted and usable.
  TImageList broken;
  try {
    TAddBatch batch(broken);
    batch.Add("/y", DispObj::Tile, false);
    batch.Add("/x", DispObj::Tile, false);
    throw std::runtime_error("dialog failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(broken.Updating());
  EXPECT_EQ(Names(broken), (std::vector<std::string>{"/x", "/y"}));
}

TEST(ImageListEdits, ImagesPageButtonsFollowTheList) {
  struct Row {
    const char* name;
    int count;
    std::vector<int> selected;
    DispObj method;
    bool loaded;
    bool sorted;
    bool moveRefused;
    TImagesPageButtons expected;
  };
  //                                                          remove picture up    down   agent  single
  const Row rows[] = {
      {"empty list", 0, {}, DispObj::Center, false, false, false, {false, false, false, false, false, false}},
      {"middle, loaded", 3, {1}, DispObj::Tile, true, false, false, {true, true, true, true, true, true}},
      {"first, not loaded", 3, {0}, DispObj::Tile, false, false, false, {true, false, false, true, true, true}},
      {"last", 3, {2}, DispObj::Tile, true, false, false, {true, true, true, false, true, true}},
      {"unknown method", 3, {1}, DispObj::None, true, false, false, {false, false, true, true, true, true}},
      {"sorted, move refused", 3, {1}, DispObj::Tile, true, true, true, {true, true, false, false, true, true}},
      {"sorted, not refused yet", 3, {1}, DispObj::Tile, true, true, false, {true, true, true, true, true, true}},
      {"two selected", 3, {0, 1}, DispObj::Tile, true, false, false, {true, true, false, true, true, false}},
      {"none selected", 3, {}, DispObj::Center, true, false, false, {false, true, false, false, true, false}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> names;
    for (int i = 0; i < row.count; ++i) names.push_back("/" + std::to_string(i));
    const TImageList list = ListOf(names, row.selected);
    const TImagesPageButtons got = ImagesPageButtons(list, row.method, row.loaded, row.sorted, row.moveRefused);
    EXPECT_EQ(got.remove, row.expected.remove) << row.name;
    EXPECT_EQ(got.pictureCommands, row.expected.pictureCommands) << row.name;
    EXPECT_EQ(got.moveUp, row.expected.moveUp) << row.name;
    EXPECT_EQ(got.moveDown, row.expected.moveDown) << row.name;
    EXPECT_EQ(got.startAgent, row.expected.startAgent) << row.name;
    EXPECT_EQ(got.singleEntry, row.expected.singleEntry) << row.name;
  }
}

TEST(ImageListEdits, AMethodIsSetOnTheCurrentEntryOrEverySelectedOne) {
  TImageList list = ListOf({"/a", "/b", "/c", "/d"}, {1, 3});
  ASSERT_TRUE(SetMethod(list, DispObj::Tile, MethodScope::Current));
  EXPECT_EQ(list.At(1).disp, DispObj::Tile);
  EXPECT_EQ(list.At(3).disp, DispObj::Center);
  ASSERT_TRUE(SetMethod(list, DispObj::BrickTile, MethodScope::Selected));
  for (const auto& [row, disp] : {std::pair{0, DispObj::Center}, std::pair{1, DispObj::BrickTile},
                                  std::pair{2, DispObj::Center}, std::pair{3, DispObj::BrickTile}})
    EXPECT_EQ(list.At(row).disp, disp) << row;
  TImageList none = ListOf({"/a"});
  EXPECT_FALSE(SetMethod(none, DispObj::Tile, MethodScope::Selected));
  EXPECT_EQ(none.At(0).disp, DispObj::Center);
}

TEST(ImageListEdits, ABatchAddsAllAndNamesWhatItCannotKeep) {
  TImageList list = ListOf({"/b"});
  TAddBatch batch(list);
  const std::vector<std::string> refused = batch.AddAll({"/a", "/b", "/with=sign", " ", "/c"}, DispObj::Stretch);
  EXPECT_EQ(refused, std::vector<std::string>{"/with=sign"});
  EXPECT_EQ(list.At(batch.Finish()).fileName, "/c") << "the last file has the focus";
  EXPECT_EQ(Names(list), (std::vector<std::string>{"/b", "/a", "/c"}));
  EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1, 2})) << "the entry there already is selected too";
  EXPECT_EQ(list.At(0).disp, DispObj::Center) << "an entry there already keeps its method";
  EXPECT_EQ(list.At(1).disp, DispObj::Stretch);
}

TEST(ImageListEdits, TheShortcutMenuAndTheCaptionsFollowThePage) {
  TImagesPageButtons buttons;
  buttons.moveUp = buttons.remove = buttons.pictureCommands = true;
  const TPopupItems one = ImgPopupItems(buttons, 1);
  EXPECT_TRUE(one.moveUp && one.display && one.remove && one.apply);
  EXPECT_FALSE(one.moveDown);
  const TPopupItems several = ImgPopupItems(buttons, 2);
  EXPECT_TRUE(several.remove) << "several entries are removed at once";
  EXPECT_FALSE(several.moveUp || several.display || several.apply);
  EXPECT_FALSE(ImgPopupItems(buttons, 0).remove);

  TImageList list = ListOf({"/pictures/a.jpg", "/pictures/b.jpg"}, {1});
  EXPECT_EQ(CurrentEntryHint(list), "/pictures/b.jpg (#2)");
  const TEntryLabels labels = CurrentEntryLabels(list, QSize(640, 480));
  EXPECT_EQ(labels.name, "b.jpg");
  EXPECT_EQ(labels.width, "640");
  EXPECT_EQ(labels.height, "480");
  list.ClearSelection();
  EXPECT_EQ(CurrentEntryHint(list), "");
  EXPECT_EQ(CurrentEntryLabels(list, QSize(640, 480)).width, " ");
}
