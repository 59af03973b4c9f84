// The directory box: the current folder with its ancestors and the desktop to pick from,
// or a folder typed in and confirmed with Enter.
#pragma once

#include <QComboBox>

class TDirectoryComboDlg : public QComboBox {
  Q_OBJECT

 public:
  explicit TDirectoryComboDlg(QWidget* parent = nullptr);

  QString Directory() const { return directory_; }
  // Shows folder (the home folder for an empty text) as given, even when it does not exist,
  // so a stored folder that is missing now is kept until the user picks another; raises
  // nothing but DirectoryShown.
  void SetDirectory(const QString& folder);

 signals:
  // The user picked another folder; canPrev tells whether it has a parent.
  void DirectoryChange(const QString& oldDir, const QString& directory, bool canPrev);
  // The box shows directory now, however it came to.
  void DirectoryShown(const QString& directory);

 private:
  void Picked(int index);
  void Typed();
  void Go(const QString& folder);

  QString directory_;
};
