// The plain image list: sorted insertion and batches, uniqueness, selection bookkeeping.
#include "imagelist/ImageList.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::vector<std::string> Names(const TImageList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).fileName);
  return names;
}

}  // namespace

TEST(ImageList, SortedInsertAndBatchGiveTheSameOrder) {
  const std::vector<std::string> input = {"/d.bmp", "/b.bmp", "/a.bmp", "/c.bmp", "/b2.bmp"};
  TImageList single;
  TImageList batch;
  batch.BeginUpdate();
  for (const std::string& name : input) {
    single.Append({name});
    batch.Append({name});
  }
  EXPECT_EQ(Names(batch), input);
  batch.EndUpdate();
  EXPECT_EQ(Names(single), Names(batch));
  EXPECT_EQ(Names(single), (std::vector<std::string>{"/a.bmp", "/b.bmp", "/b2.bmp", "/c.bmp", "/d.bmp"}));
}

TEST(ImageList, SelectionAndFocusMoveWithTheirEntries) {
  TImageList list;
  list.SetSorted(false);
  for (const char* name : {"/c", "/a", "/b"}) list.Append({name});
  list.SetSelected(0, true);
  list.SetFocused(0);
  list.SetSorted(true);
  EXPECT_EQ(list.FirstSelected(), 2);
  EXPECT_EQ(list.Focused(), 2);
  list.Insert(0, {"/0"});
  EXPECT_EQ(list.FirstSelected(), 3);
  EXPECT_EQ(list.Focused(), 3);
}

TEST(ImageList, UniquenessIgnoresCase) {
  TImageList list;
  list.Append({"/Pics/Été.JPG"});
  EXPECT_TRUE(list.Contains("/pics/été.jpg"));
  EXPECT_EQ(list.Find("/PICS/ÉTÉ.jpg"), 0);
  EXPECT_EQ(list.Find("/pics/ete.jpg"), -1);
  list.Append({"/pics/été.jpg"});
  list.Delete(0);
  EXPECT_TRUE(list.Contains("/PICS/été.JPG"));
  list.Delete(0);
  EXPECT_FALSE(list.Contains("/PICS/été.JPG"));
}

TEST(ImageList, DeleteSelectedExceptKeepsCountsRight) {
  TImageList list;
  list.SetSorted(false);
  for (const char* name : {"/a", "/b", "/c", "/d", "/e"}) list.Append({name});
  for (int i : {1, 2, 4}) list.SetSelected(i, true);
  list.SetFocused(3);
  list.DeleteSelectedExcept(1);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"/a", "/b", "/d"}));
  EXPECT_EQ(list.SelCount(), 1);
  EXPECT_EQ(list.FirstSelected(), 1);
  EXPECT_EQ(list.Focused(), 2);
  EXPECT_FALSE(list.Contains("/e"));
}

TEST(ImageList, SelectNamesInOnePass) {
  TImageList list;
  for (const char* name : {"/a", "/b", "/c"}) list.Append({name});
  list.SelectNames({"/C", "/a", "/missing"});
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_TRUE(list.Selected(0));
  EXPECT_TRUE(list.Selected(2));
  list.ClearSelection();
  EXPECT_EQ(list.FirstSelected(), -1);
}

// A batch that comes into a sorted list is merged into it: whatever the batch's size, the
// list ends in the order one sort of all its names gives, with the focus on the same entry.
TEST(ImageList, ABatchMergedIntoASortedListEndsInTheFullSortsOrder) {
  std::mt19937 random(7);
  for (const int head : {0, 1, 40, 400}) {
    for (const int batch : {1, 2, 30, 400}) {
      SCOPED_TRACE(std::to_string(head) + " sorted, " + std::to_string(batch) + " in the batch");
      std::vector<std::string> names;
      for (int i = 0; i < head + batch; ++i)
        names.push_back("/p/" + std::to_string(random() % 100000) + "-" + std::to_string(i));
      TImageList list;
      for (int i = 0; i < head; ++i) list.Append({names[i]});
      // A deletion before the batch leaves the rest in order.
      if (head > 1) list.Delete(static_cast<int>(random() % head));
      if (list.Count() > 0) list.SetFocused(list.Count() / 2);
      const std::string focused = list.Count() > 0 ? list.At(list.Focused()).fileName : "";
      list.BeginUpdate();
      for (int i = head; i < head + batch; ++i) list.Append({names[i]});
      list.EndUpdate();

      TImageList whole;
      whole.BeginUpdate();
      for (int i = 0; i < list.Count(); ++i) whole.Append(list.At(i));
      whole.EndUpdate();
      EXPECT_EQ(Names(list), Names(whole));
      if (!focused.empty()) {
        EXPECT_EQ(list.At(list.Focused()).fileName, focused);
      }
    }
  }
}
