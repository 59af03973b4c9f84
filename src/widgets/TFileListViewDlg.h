// The file list of the Image Explorer: one folder's subfolders and picture files, with
// thumbnails as icons.
//
// Data flow: SetDirectory, Reread and the folder watcher start a read of the folder on a
// worker thread (ReadFolder); the entries come back queued and replace the model's rows
// at once (names first), then every file is handed to the thumbnail loader, whose
// thumbnails fill in the icons as they arrive. A newer read or a change of folder
// discards the older read's results and cancels its thumbnails. While ReadEnabled is off
// nothing is read; the read is remembered and made when reading is switched on again.
#pragma once

#include <QFileSystemWatcher>
#include <QListView>
#include <QThreadPool>
#include <QTimer>
#include <vector>

#include "explorer/FileListModel.h"
#include "explorer/ThumbnailLoader.h"

class TFileListViewDlg : public QListView {
  Q_OBJECT

 public:
  explicit TFileListViewDlg(QWidget* parent = nullptr);
  ~TFileListViewDlg() override;

  QString Directory() const { return directory_; }
  // Lists folder (or "DESKTOP", the desktop folder); a folder that does not exist gives its
  // nearest existing ancestor.
  void SetDirectory(const QString& folder);
  // The parent folder; "/" stays.
  void UpOneLevel();
  // Reads the current folder again, keeping the chosen entry when it is still there.
  void Reread();
  bool ReadEnabled() const { return readEnabled_; }
  void SetReadEnabled(bool enabled);
  QString Mask() const { return mask_; }
  void SetMask(const QString& mask);
  // On (the default): a chosen symbolic link gives its target as SelectedFileName.
  void SetResolveLink(bool resolve) { resolveLink_ = resolve; }
  void SetThumbnailMaker(TThumbnailMaker maker) { thumbnails_.SetMaker(std::move(maker)); }

  // The full path of the chosen entry; empty when nothing is chosen.
  QString SelectedFileName() const;
  // Chooses the entry called name; false when it is not listed.
  bool SelectName(const QString& name);
  TFileListModel& Model() { return model_; }
  // Blocks until a read in progress is listed. For tests and measurements.
  void WaitForRead();
  int PendingThumbnails() const { return pendingThumbnails_; }

 signals:
  // The chosen entry changed, or the list now shows another folder.
  void Change();
  // The names of a read are listed.
  void DirectoryRead();
  // The last thumbnail of the listed folder arrived.
  void ThumbnailsDone();

 private:
  QModelIndex ChosenIndex() const;
  void StartRead();
  void ShowEntries(quint64 generation, std::vector<TFileEntry> entries);
  void ShowThumbnail(int row, const QImage& thumbnail);
  void Open(const QModelIndex& index);
  void Watch();

  TFileListModel model_;
  TThumbnailLoader thumbnails_;
  QThreadPool readPool_;
  QFileSystemWatcher watcher_;
  QTimer changedLater_;
  QString directory_;
  QString mask_;
  QString keepName_;
  quint64 readGeneration_ = 0;
  int pendingThumbnails_ = 0;
  bool readEnabled_ = true;
  bool readPending_ = false;
  bool resolveLink_ = true;
};
