#include "widgets/TDirectoryComboDlg.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStyle>

#include "widgets/FolderPath.h"

TDirectoryComboDlg::TDirectoryComboDlg(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(this, &QComboBox::activated, this, &TDirectoryComboDlg::Picked);
  SetDirectory(QDir::homePath());
}

void TDirectoryComboDlg::SetDirectory(const QString& folder) {
  directory_ = folder.isEmpty() ? QDir::homePath() : folder;
  const QSignalBlocker blocker(this);
  clear();
  const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
  addItem(style()->standardIcon(QStyle::SP_DesktopIcon), tr("Desktop"), DesktopFolder());
  QStringList chain;
  for (QString step = directory_; step != "/"; step = ParentFolder(step)) chain.prepend(step);
  chain.prepend("/");
  for (const QString& step : chain) addItem(folderIcon, step, step);
  setCurrentIndex(count() - 1);
}

void TDirectoryComboDlg::Picked(int index) {
  const QString picked = itemData(index).toString();
  const QString old = directory_;
  SetDirectory(picked);
  if (directory_ != old) emit DirectoryChange(old, directory_, directory_ != "/");
}
