// The watched folders while the program runs: the folder watch lists each folder off the
// window's thread; each listing's joins and leaves go into the list and the stored
// configuration without touching the unsaved state, so neither the window nor the unattended
// agent ever asks about them.
//
// Data flow: a listing waits while the command gate is closed (the list loads, a box is
// open) and comes again; a large join goes in slices, one per turn of the event loop. What a
// slice changed reaches the random cycle's count, the configuration, the list's current entry
// (a list that had none starts on one as a loaded list does) and the view (FoldersSynced); an
// agent start that waits for the first listings is let go once every folder is listed.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imagelist/FolderSync.h"
#include "imagelist/ImageList.h"
#include "imagelist/WatchedFolders.h"

class IAgentView;
class TAgent;
class TBigIniFile;
class TFolderWatch;
struct TSettings;

// A folder the user stops watching: what stays watched, and how many entries leave with it.
struct TFolderRemoval {
  TWatchedFolder removed;
  TWatchedFolders remaining;
  int leaving = 0;
};

enum class FolderAdded { Added, Unwatchable, WatchedAlready };

// What the Folders page and the notification say while some folder cannot be watched.
QString WatchIncompleteText();

class TAgentFolders {
 public:
  TAgentFolders(TAgent& agent, const TSettings& settings, TImageList& list, TBigIniFile& ini, IAgentView& view);
  ~TAgentFolders();

  const std::vector<TWatchedFolder>& List() const { return folders_.Folders(); }
  bool WatchIncomplete() const;
  // True while a listing is being made or is due.
  bool Listing() const;
  // Whether a watched folder has not been listed yet since the load.
  bool Reading() const;

  // The folders the configuration names, each listed again.
  void Load();
  void Save(TBigIniFile& ini) const;
  // Folders the system cannot watch are read again.
  void RescanIfIncomplete();
  // While a folder is still being read, start waits for the first listing of every folder
  // (true); false when nothing is read, and start is left to the caller.
  bool WaitToStart(std::function<void()> start);

  FolderAdded Add(const std::string& chosen);
  std::optional<TFolderRemoval> PlanRemoval(int row) const;
  // The folder is no longer watched, and its entries that no other folder covers leave.
  void Remove(TFolderRemoval removal);
  // False when nothing changed.
  bool SetSubfolders(int row, bool subfolders);
  // The user took these entries out of the list: those a watched folder holds stay out.
  void Exclude(const std::vector<std::string>& fileNames);
  // Added by hand, a picture a watched folder holds may join again.
  void Readmit(const std::string& fileName);

 private:
  void Watch();
  // A listing, or the next slice of a large one's join where resume says.
  void Sync(const std::shared_ptr<const TFolderListing>& listing, const std::optional<TJoinResume>& resume);
  void Synced(const TFolderListing& listing, const TFolderSyncResult& result, bool hadCurrent);
  TJoinRule JoinRule() const;

  TAgent& agent_;
  const TSettings& settings_;
  TImageList& list_;
  TBigIniFile& ini_;
  IAgentView& view_;
  TWatchedFolders folders_;
  std::unique_ptr<TFolderWatch> watch_;
  std::function<void()> waitingStart_;
  bool watchIncompleteTold_ = false;
  // The retries and the slices are posted to this object, so none runs after it is gone.
  QObject posts_;
};
