#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "widgets/DesignedControls.h"
#include "window/Tessel.h"

void TTesselForm1::BuildFoldersPage() {
  QWidget* page = FoldersPage;
  FoldersIntro = MakeLabel(page, "FoldersIntro",
                           "Pictures saved into these folders join the image list; deleted ones leave it.", 8, 8);
  FolderList = MakeControl<QTreeWidget>(page, "FolderList", 8, 28, 505, 196);
  FolderList->setRootIsDecorated(false);
  FolderList->setUniformRowHeights(true);
  FolderList->setSelectionMode(QAbstractItemView::SingleSelection);
  FolderList->setHeaderLabels({"Folder", "Subfolders", "State", "Pictures"});
  FolderList->header()->setStretchLastSection(false);
  FolderList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < 4; ++column)
    FolderList->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);

  AddFolder = MakeControl<QPushButton>(page, "AddFolder", 8, 232, 97, 25, "Add Folder...");
  RemoveFolder = MakeControl<QPushButton>(page, "RemoveFolder", 109, 232, 97, 25, "Remove Folder");
  RemoveFolder->setEnabled(false);
  FolderSkipped = MakeLabel(page, "FolderSkipped", "", 8, 264, false, 505);
  FolderWatching = MakeLabel(page, "FolderWatching", "", 8, 282, false, 505);
  FolderWatching->setWordWrap(true);

  connect(AddFolder, &QPushButton::clicked, this, Command([this] { AddFolderClick(); }));
  connect(RemoveFolder, &QPushButton::clicked, this, Command([this] { RemoveFolderClick(); }));
  connect(FolderList, &QTreeWidget::itemSelectionChanged, this,
          [this] { RemoveFolder->setEnabled(!FolderList->selectedItems().isEmpty()); });
  connect(FolderList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (column != 1 || !AgentRun->Commands().Open()) return;
    const auto running = AgentRun->Commands().Hold();
    FolderSubfoldersClick(FolderList->indexOfTopLevelItem(item), item->checkState(1) == Qt::Checked);
  });
}
