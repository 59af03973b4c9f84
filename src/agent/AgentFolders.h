// The watched folders while the program runs: the folder watch lists each folder off the
// window's thread; each listing's joins and leaves go into the list and the stored
// configuration without touching the unsaved state, so neither the window nor the unattended
// agent ever asks about them.
//
// Data flow: a listing waits while the command gate is closed (the list loads, a box is
// open) and comes again; a large join goes in slices, one per turn of the event loop. What a
// slice changed goes to its owner (the agent: the random cycle's count, the configuration,
// the current entry, the view); an agent start that waits for the first listings is let go
// once every folder is listed.
#pragma once

#include <QObject>
#include <QSize>
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
class TBigIniFile;
class TCommandGate;
class TFolderWatch;
struct TSettings;

// What a slice of a folder's sync changed in the list (it changed something): the folder,
// the joins and leaves, and whether the list had a current entry before.
using TFolderSynced = std::function<void(const std::string& folder, const TFolderSyncResult& result, bool hadCurrent)>;

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
  TAgentFolders(const TSettings& settings, TImageList& list, TBigIniFile& ini, TCommandGate& commands, IAgentView& view,
                TFolderSynced synced);
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
  // Added by hand, pictures a watched folder holds may join again.
  void Readmit(const std::vector<std::string>& fileNames);
  // The primary monitor's size, asked on this thread at each start of the watch: the listings
  // fold a dark picture into its light twin (FolderShape.h) and choose a wallpaper package's
  // size for it.
  void SetScreen(std::function<QSize()> screenSize) { screenSize_ = std::move(screenSize); }
  // The monitors changed: where the primary's size is another now, every folder is listed
  // again for it, so a package's entry is renamed in place to the size that suits it.
  void ScreenChanged();

 private:
  void Watch();
  // A listing, or the next slice of a large one's join where resume says.
  void Sync(const std::shared_ptr<const TFolderListing>& listing, const std::optional<TJoinResume>& resume);
  void Synced(const TFolderListing& listing, const TFolderSyncResult& result, bool hadCurrent);
  TJoinRule JoinRule() const;

  const TSettings& settings_;
  TImageList& list_;
  TBigIniFile& ini_;
  TCommandGate& commands_;
  IAgentView& view_;
  TFolderSynced synced_;
  TWatchedFolders folders_;
  std::unique_ptr<TFolderWatch> watch_;
  std::function<void()> waitingStart_;
  std::function<QSize()> screenSize_;
  // The size the listings are shaped for.
  QSize shapedFor_;
  bool watchIncompleteTold_ = false;
  // The retries and the slices are posted to this object, so none runs after it is gone.
  QObject posts_;
};
