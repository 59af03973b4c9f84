#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <atomic>

#include "explorer/FolderReader.h"
#include "explorer/ThumbnailCache.h"
#include "widgets/FolderPath.h"
#include "widgets/TDirectoryComboDlg.h"
#include "widgets/TFileListViewDlg.h"

namespace {

// Generous bound that only keeps a broken test from hanging.
constexpr int kHangGuardMs = 60000;

void WritePicture(const QString& path, QSize size = {40, 30}) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  ASSERT_TRUE(picture.save(path, "BMP"));
}

void WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(Path("a.JPG"));
    WritePicture(Path("b.jpeg"));
    WriteText(Path("broken.jpg"), "not a picture");
    WriteText(Path("c.txt"), "text");
    WritePicture(Path(".hidden.jpg"));
    ASSERT_TRUE(QDir(root.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(Path("a.JPG"), Path("pic.jpg")));
    ASSERT_TRUE(QFile::link(Path("c.txt"), Path("readme.jpg")));
    ASSERT_TRUE(QFile::link(Path("missing.jpg"), Path("gone.jpg")));
    ASSERT_TRUE(QFile::link(Path("b.jpeg"), Path("noext")));
    ASSERT_EQ(mkfifo(Path("pipe.jpg").toLocal8Bit().constData(), 0600), 0);
  }
  QString Path(const QString& name) const { return root.path() + '/' + name; }

  QTemporaryDir root;
};

QStringList Names(const std::vector<TFileEntry>& entries) {
  QStringList names;
  for (const TFileEntry& entry : entries) names << entry.name;
  return names;
}

TEST(SplitMask, TakesTheWildcardsBetweenSemicolons) {
  EXPECT_EQ(SplitMask("*.BMP;*.GIF;*.JPEG;*.JPG"), QStringList({"*.BMP", "*.GIF", "*.JPEG", "*.JPG"}));
  EXPECT_EQ(SplitMask(" *.gif ;; *.bmp;"), QStringList({"*.gif", "*.bmp"}));
  EXPECT_TRUE(SplitMask("").isEmpty());
}

TEST(FolderPath, ParentsStopAtTheRoot) {
  EXPECT_EQ(ParentFolder("/home/user/Pictures"), "/home/user");
  EXPECT_EQ(ParentFolder("/home/"), "/");
  EXPECT_EQ(ParentFolder("/"), "/");
  EXPECT_TRUE(IsFolderPath("/"));
  EXPECT_TRUE(IsFolderPath("//server/share"));
  EXPECT_FALSE(IsFolderPath(""));
  EXPECT_FALSE(IsFolderPath("/no/such/folder/here"));
  EXPECT_EQ(ExistingFolder("/no/such/folder/here"), "/");
}

TEST_F(FolderTree, TypedFoldersAreFoundFromTheCurrentOne) {
  const std::pair<QString, std::optional<QString>> cases[] = {
      {"sub", Path("sub")},
      {"  sub/ ", Path("sub")},
      {root.path() + "/sub/..", root.path()},
      {"~", QDir::homePath()},
      {"/", "/"},
      {"a.JPG", std::nullopt},
      {"nothing", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, folder] : cases) EXPECT_EQ(TypedFolder(text, root.path()), folder) << text.toStdString();
}

// Enter in the box goes to the typed folder; a folder that does not exist leaves it where it is.
TEST_F(FolderTree, DirectoryBoxGoesToATypedFolder) {
  TDirectoryComboDlg box;
  box.SetDirectory(root.path());
  QStringList changes;
  QObject::connect(&box, &TDirectoryComboDlg::DirectoryChange,
                   [&](const QString&, const QString& directory, bool) { changes << directory; });
  const auto type = [&](const QString& text) {
    box.lineEdit()->setText(text);
    emit box.lineEdit()->returnPressed();
  };
  type("nothing");
  EXPECT_EQ(box.Directory(), root.path());
  type("sub");
  EXPECT_EQ(box.Directory(), Path("sub"));
  EXPECT_EQ(box.lineEdit()->text(), Path("sub"));
  type(root.path());
  EXPECT_EQ(changes, QStringList({Path("sub"), root.path()}));
}

TEST_F(FolderTree, ListsFoldersThenMatchingFilesIgnoringCase) {
  const std::vector<TFileEntry> entries = ReadFolder(root.path(), SplitMask("*.jpg;*.JPEG"));
  EXPECT_EQ(Names(entries),
            QStringList({"sub", "a.JPG", "b.jpeg", "broken.jpg", "gone.jpg", "noext", "pic.jpg", "readme.jpg"}));
  EXPECT_TRUE(entries[0].folder);
  EXPECT_EQ(entries[6].target, Path("a.JPG"));
  EXPECT_EQ(entries[4].target, Path("missing.jpg"));
  EXPECT_TRUE(entries[1].target.isEmpty());
  EXPECT_EQ(Names(ReadFolder(root.path() + "/nothing", {"*"})), QStringList());
}

TEST(ThumbnailCache, NamesThumbnailsByTheMd5OfTheFileUri) {
  EXPECT_EQ(TThumbnailCache::FileUri("/tmp/a b/c#1.jpg"), "file:///tmp/a%20b/c%231.jpg");
  // The standard's own example.
  EXPECT_EQ(TThumbnailCache("/cache").ThumbnailPath("/home/jens/photos/me.png"),
            "/cache/c6ee772d9e49320e97ec29a7eb5b1697.png");
}

TEST_F(FolderTree, CacheTrustsOnlyThumbnailsOfTheSameUriAndTime) {
  const TThumbnailCache cache(Path("cache"));
  QImage thumbnail(16, 12, QImage::Format_RGB32);
  thumbnail.fill(Qt::red);
  ASSERT_TRUE(cache.Store(Path("a.JPG"), 1000, thumbnail));
  const QImage found = cache.Find(Path("a.JPG"), 1000);
  ASSERT_FALSE(found.isNull());
  EXPECT_EQ(found.size(), QSize(16, 12));
  EXPECT_EQ(found.text("Thumb::MTime"), "1000");
  EXPECT_TRUE(cache.Find(Path("a.JPG"), 1001).isNull());
  EXPECT_TRUE(cache.Find(Path("b.jpeg"), 1000).isNull());
  // Made by a program that wrote another file's URI under this name.
  QImage foreign = thumbnail;
  foreign.setText("Thumb::URI", "file:///elsewhere.jpg");
  foreign.setText("Thumb::MTime", "1000");
  ASSERT_TRUE(foreign.save(cache.ThumbnailPath(Path("b.jpeg")), "PNG"));
  EXPECT_TRUE(cache.Find(Path("b.jpeg"), 1000).isNull());
  EXPECT_EQ(QFile::permissions(cache.ThumbnailPath(Path("a.JPG"))),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
  EXPECT_EQ(QDir(Path("cache")).entryList(QDir::Files).size(), 2);
}

class FileListView : public FolderTree {
 protected:
  // Lists the tree and runs the event loop until the last thumbnail is shown.
  void ReadAll(TFileListViewDlg& list) {
    QEventLoop loop;
    bool done = false;
    QObject::connect(&list, &TFileListViewDlg::ThumbnailsDone, &loop, [&] {
      done = true;
      loop.quit();
    });
    QTimer::singleShot(kHangGuardMs, &loop, &QEventLoop::quit);
    list.SetDirectory(root.path());
    list.WaitForRead();
    if (!done) loop.exec();
    ASSERT_TRUE(done);
  }
  ThumbnailState State(TFileListViewDlg& list, const QString& name) {
    const int row = list.Model().RowOf(name);
    return static_cast<ThumbnailState>(list.Model().index(row).data(TFileListModel::ThumbnailStateRole).toInt());
  }
  std::atomic<int> made{0};
  TThumbnailMaker maker = [this](const QString& path, int) {
    ++made;
    return QImage(path, "BMP");
  };
};

TEST_F(FileListView, ListsAtOnceAndFillsInThumbnails) {
  TFileListViewDlg list;
  list.SetMask("*.JPG;*.jpeg");
  list.SetThumbnailMaker(maker);
  ReadAll(list);
  EXPECT_EQ(list.Model().rowCount(), 8);
  EXPECT_EQ(State(list, "sub"), ThumbnailState::None);
  EXPECT_EQ(State(list, "a.JPG"), ThumbnailState::Shown);
  EXPECT_EQ(State(list, "pic.jpg"), ThumbnailState::Shown);
  EXPECT_EQ(State(list, "broken.jpg"), ThumbnailState::Failed);
  EXPECT_EQ(State(list, "gone.jpg"), ThumbnailState::Failed);
  const int firstRun = made;
  // The second listing finds every good thumbnail in the cache, and every failure too.
  ReadAll(list);
  EXPECT_EQ(made, firstRun);
  EXPECT_EQ(State(list, "b.jpeg"), ThumbnailState::Shown);
  EXPECT_EQ(State(list, "broken.jpg"), ThumbnailState::Failed);
  // A failed file is tried again once it changes.
  QFile broken(Path("broken.jpg"));
  ASSERT_TRUE(broken.open(QIODevice::ReadWrite));
  ASSERT_TRUE(broken.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
  broken.close();
  ReadAll(list);
  EXPECT_EQ(made, firstRun + 1);
}

TEST_F(FileListView, ResolvesLinksAndKeepsDanglingOnes) {
  TFileListViewDlg list;
  list.SetMask("*.jpg");
  list.SetDirectory(root.path());
  list.WaitForRead();
  EXPECT_TRUE(list.SelectedFileName().isEmpty());
  ASSERT_TRUE(list.SelectName("pic.jpg"));
  EXPECT_EQ(list.SelectedFileName(), Path("a.JPG"));
  ASSERT_TRUE(list.SelectName("gone.jpg"));
  EXPECT_EQ(list.SelectedFileName(), Path("missing.jpg"));
  list.SetResolveLink(false);
  EXPECT_EQ(list.SelectedFileName(), Path("gone.jpg"));
}

TEST_F(FileListView, AClickTellsTheChosenFileAtItsFirstChange) {
  TFileListViewDlg list;
  list.resize(300, 400);
  list.show();
  list.SetMask("*.jpg");
  list.SetDirectory(root.path());
  list.WaitForRead();
  QStringList told;
  QObject::connect(&list, &TFileListViewDlg::Change, [&] { told << list.SelectedFileName(); });
  const QPointF at = list.visualRect(list.Model().index(list.Model().RowOf("broken.jpg"))).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &click);
  }
  ASSERT_FALSE(told.isEmpty());
  EXPECT_EQ(told.first(), Path("broken.jpg"));
}

TEST_F(FileListView, ReadsNothingWhileReadingIsOff) {
  TFileListViewDlg list;
  list.SetReadEnabled(false);
  list.SetMask("*.jpg");
  list.SetDirectory(root.path());
  list.WaitForRead();
  EXPECT_EQ(list.Model().rowCount(), 0);
  list.SetReadEnabled(true);
  list.WaitForRead();
  EXPECT_EQ(list.Model().rowCount(), 6);
}

TEST_F(FileListView, AFolderThatDisappearsGivesWayToItsParent) {
  TFileListViewDlg list;
  list.SetDirectory(Path("sub"));
  list.WaitForRead();
  ASSERT_EQ(list.Directory(), Path("sub"));
  ASSERT_TRUE(QDir(Path("sub")).removeRecursively());
  int changes = 0;
  QObject::connect(&list, &TFileListViewDlg::Change, [&] { ++changes; });
  list.Reread();
  list.WaitForRead();
  EXPECT_EQ(list.Directory(), root.path());
  EXPECT_GE(changes, 1);
  list.UpOneLevel();
  EXPECT_EQ(list.Directory(), ParentFolder(root.path()));
}

}  // namespace
