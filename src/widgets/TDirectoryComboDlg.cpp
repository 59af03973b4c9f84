#include "widgets/TDirectoryComboDlg.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>

#include "widgets/FolderPath.h"

TDirectoryComboDlg::TDirectoryComboDlg(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  connect(this, &QComboBox::activated, this, &TDirectoryComboDlg::Picked);
  // The box's own handler runs first and picks an item whose text was typed.
  connect(lineEdit(), &QLineEdit::returnPressed, this, &TDirectoryComboDlg::Typed);
  SetDirectory(QDir::homePath());
}

void TDirectoryComboDlg::SetDirectory(const QString& folder) {
  directory_ = folder.isEmpty() ? QDir::homePath() : folder;
  {
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
  emit DirectoryShown(directory_);
}

void TDirectoryComboDlg::Picked(int index) { Go(itemData(index).toString()); }

void TDirectoryComboDlg::Typed() {
  const QString text = lineEdit()->text();
  if (text == itemText(currentIndex())) return;
  if (const std::optional<QString> folder = TypedFolder(text, directory_)) {
    Go(*folder);
    return;
  }
  QToolTip::showText(mapToGlobal(QPoint(0, height())), tr("There is no folder \"%1\".").arg(text.trimmed()), this);
  lineEdit()->selectAll();
}

void TDirectoryComboDlg::Go(const QString& folder) {
  const QString old = directory_;
  SetDirectory(folder);
  if (directory_ != old) emit DirectoryChange(old, directory_, directory_ != "/");
}
