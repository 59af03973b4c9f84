#include <QLineEdit>
#include <QSplitter>

#include "app/Tessel.h"
#include "ui/Controls.h"

void TTesselForm1::BuildExplorerPage() {
  QWidget* page = ExplorerPage;
  DirectoryComboDlg1 = MakeControl<QLineEdit>(page, "DirectoryComboDlg1", 8, 8, 505, 21);
  DirectoryComboDlg1->setReadOnly(true);
  IMSplitter1 = MakeControl<QSplitter>(page, "IMSplitter1", 8, 36, 505, 268);
  auto* files = new QWidget(IMSplitter1);
  files->setObjectName("FileListViewDlg1");
  IMPanelImage = new QWidget(IMSplitter1);
  IMPanelImage->setObjectName("IMPanelImage");
  SetIMPanelImageWidth(IMPanelWidth);
  connect(IMSplitter1, &QSplitter::splitterMoved, this, [this] {
    IMPanelWidth = IMSplitter1->sizes().value(1, IMPanelWidth);
    Change(IMSplitter1);
  });
}
