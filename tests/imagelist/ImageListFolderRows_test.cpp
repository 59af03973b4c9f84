// What the Folders page shows of each watched folder.
#include <gtest/gtest.h>

#include "imagelist/FolderRows.h"

TEST(ImageListFolderRows, EachFolderAsItStandsAndTheNamesPassedOver) {
  std::vector<TWatchedFolder> folders(4);
  const FolderState states[] = {FolderState::Reading, FolderState::Watched, FolderState::Rescanned,
                                FolderState::Unavailable};
  const char* texts[] = {"Reading...", "Watched", "Read at each change", "Unavailable"};
  for (int i = 0; i < 4; ++i) {
    folders[i].folder = "/f" + std::to_string(i);
    folders[i].subfolders = i % 2 == 1;
    folders[i].state = states[i];
    folders[i].pictures = 10 + i;
  }
  const std::vector<TFolderRow> rows = FolderRows(folders);
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rows[i].folder, folders[i].folder);
    EXPECT_EQ(rows[i].subfolders, folders[i].subfolders);
    EXPECT_EQ(rows[i].state, texts[i]);
  }
  EXPECT_EQ(rows[0].pictures, "") << "not listed yet";
  EXPECT_EQ(rows[3].pictures, "13");
  EXPECT_EQ(SkippedNamesText(folders), "");
  folders[1].skipped = 2;
  folders[3].skipped = 1;
  EXPECT_EQ(SkippedNamesText(folders),
            "3 names skipped: link loops, unreadable folders, names not in UTF-8 or holding \"=\" or a line break");
}
