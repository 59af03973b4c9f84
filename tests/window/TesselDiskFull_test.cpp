// Saving when the disk refuses: a full file system, a file size limit and a read-only
// folder. The save shows the error, the old file stays byte for byte, "Save" stays enabled,
// and the next save succeeds once writing works again; an exit whose silent save fails says
// so before the program ends. The file-system cases need the right to mount (root) and are
// skipped without it.
#include <sys/mount.h>
#include <sys/resource.h>

#include <QLineEdit>
#include <QPushButton>
#include <csignal>

#include "FormFixture.h"
#include "config/BigIni.h"

namespace {

const QByteArray kFile = "[Info]\r\nTrigger Qty=5\r\n\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n\r\n";

enum class Refusal { FullFileSystem, FileSizeLimit, ReadOnlyFolder };

class DiskFullTest : public FormTest, public ::testing::WithParamInterface<Refusal> {
 protected:
  void SetUp() override {
    if (GetParam() == Refusal::FileSizeLimit) return;
    mounted_ = ::mount("tesserine-test", Folder(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
    if (!mounted_) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  }
  void TearDown() override {
    form.reset();
    if (mounted_) ::umount2(Folder(), MNT_DETACH);
  }

  const char* Folder() {
    folder_ = dir.path().toLocal8Bit();
    return folder_.constData();
  }

  void Refuse() {
    switch (GetParam()) {
      case Refusal::FullFileSystem: {
        QFile filler(dir.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        break;
      }
      case Refusal::FileSizeLimit: {
        ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = savedLimit_;
        lowered.rlim_cur = 16;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
        break;
      }
      case Refusal::ReadOnlyFolder:
        ASSERT_EQ(::mount(nullptr, Folder(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        break;
    }
  }

  void Allow() {
    switch (GetParam()) {
      case Refusal::FullFileSystem:
        ASSERT_TRUE(QFile::remove(dir.filePath("filler")));
        break;
      case Refusal::FileSizeLimit:
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &savedLimit_), 0);
        std::signal(SIGXFSZ, SIG_DFL);
        break;
      case Refusal::ReadOnlyFolder:
        ASSERT_EQ(::mount(nullptr, Folder(), nullptr, MS_REMOUNT, nullptr), 0);
        break;
    }
  }

  // The save as the application delivers a click: an error ends in the standard error box.
  bool ClickSave() {
    return DeliverGuarded(
        [this] {
          form->SaveClick();
          return true;
        },
        messages);
  }

  bool ErrorShown() const {
    return !messages.asked.empty() && messages.asked.back().kind == MsgKind::Error &&
           messages.asked.back().text.contains("Cannot write");
  }

 private:
  bool mounted_ = false;
  QByteArray folder_;
  rlimit savedLimit_{};
};

}  // namespace

TEST_P(DiskFullTest, SaveShowsTheErrorKeepsTheFileAndSucceedsLater) {
  OpenWith(kFile);
  form->execQty->setText("9");
  Refuse();
  EXPECT_FALSE(ClickSave());
  EXPECT_TRUE(ErrorShown());
  Allow();
  EXPECT_EQ(IniBytes(), kFile);
  EXPECT_TRUE(form->Save->isEnabled());

  EXPECT_TRUE(ClickSave());
  EXPECT_FALSE(form->Save->isEnabled());
  EXPECT_EQ(TBigIniFile(IniPath()).ReadString("Info", "Trigger Qty", ""), "9");
}

TEST_P(DiskFullTest, ExitWhoseSaveFailsSaysSo) {
  OpenWith(kFile);
  form->execQty->setText("9");
  Refuse();
  form.reset();
  EXPECT_TRUE(ErrorShown());
  Allow();
  EXPECT_EQ(IniBytes(), kFile);
}

INSTANTIATE_TEST_SUITE_P(Refusals, DiskFullTest,
                         ::testing::Values(Refusal::FullFileSystem, Refusal::FileSizeLimit, Refusal::ReadOnlyFolder));
