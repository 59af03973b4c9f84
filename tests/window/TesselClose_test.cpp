// The close paths of the real window with each answer to the save question.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "FormFixture.h"
#include "config/BigIni.h"

namespace {
const QByteArray kFile = "[Info]\r\nTrigger Qty=5\r\n\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n\r\n";
const QString kQuestion = "Do you want to save your configuration changes?";
}  // namespace

class CloseTest : public FormTest {
 protected:
  void OpenEdited() {
    OpenWith(kFile);
    form->execQty->setText("9");
    ASSERT_TRUE(form->Save->isEnabled());
  }
  std::string SavedQty() const { return TBigIniFile(IniPath()).ReadString("Info", "Trigger Qty", ""); }
};

TEST_F(CloseTest, WindowCloseWithChangesFollowsTheAnswer) {
  struct Row {
    MsgAnswer answer;
    bool closed;
    const char* qty;
  };
  for (const Row& row :
       {Row{MsgAnswer::Yes, true, "9"}, Row{MsgAnswer::No, true, "5"}, Row{MsgAnswer::Cancel, false, "5"}}) {
    WriteIni(kFile);
    messages.asked.clear();
    terminateRequests = 0;
    OpenEdited();
    messages.Answer(row.answer);
    EXPECT_EQ(form->close(), row.closed);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, kQuestion);
    EXPECT_EQ(messages.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(terminateRequests, row.closed ? 1 : 0);
    EXPECT_EQ(form->CloseHandled(), row.closed);
    form.reset();
    // Destroying the window after No must not save on its own; after Cancel the exit saves.
    EXPECT_EQ(SavedQty(), row.answer == MsgAnswer::Cancel ? "9" : row.qty);
  }
}

TEST_F(CloseTest, WindowCloseWithoutChangesAsksNothing) {
  OpenWith(kFile);
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(terminateRequests, 1);
}

TEST_F(CloseTest, WindowCloseWhileAgentRunsSavesWithoutAsking) {
  OpenEdited();
  form->Agent().SetRunning(true);
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(SavedQty(), "9");
}

TEST_F(CloseTest, WindowCloseRecordsExplorerFolder) {
  OpenWith(kFile);
  form->SetImgMgrDirectory("/somewhere");
  EXPECT_TRUE(form->close());
  form.reset();
  EXPECT_EQ(TBigIniFile(IniPath()).ReadString("Info", "ImgMgr Directory", ""), "/somewhere");
}

TEST_F(CloseTest, TrayCloseSavesWithoutAsking) {
  OpenEdited();
  form->CloseClick(form->Close1);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_EQ(SavedQty(), "9");
}

TEST_F(CloseTest, AutoCloseAsksAndCancelGoesOn) {
  OpenEdited();
  messages.Answer(MsgAnswer::Cancel);
  form->CloseClick(form->Close);
  EXPECT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(terminateRequests, 0);
  EXPECT_FALSE(form->CloseHandled());
  messages.Answer(MsgAnswer::No);
  form->CloseClick(form->Close);
  EXPECT_EQ(terminateRequests, 1);
  form.reset();
  EXPECT_EQ(SavedQty(), "5");
}

TEST_F(CloseTest, EndWithoutCloseCommandSavesSilently) {
  OpenEdited();
  form.reset();
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(SavedQty(), "9");
}

TEST_F(CloseTest, SessionEndSavesOnceAndDestroyDoesNotAgain) {
  OpenEdited();
  form->SessionEnd();
  EXPECT_EQ(SavedQty(), "9");
  form->execQty->setText("3");
  form.reset();
  EXPECT_EQ(SavedQty(), "9");
}

TEST_F(CloseTest, PersistentStateReachesDiskAtExit) {
  OpenWith(kFile);
  form->Ini().WriteString("Info", "LastImageNm", "/a.bmp");
  EXPECT_TRUE(form->close());
  form.reset();
  EXPECT_EQ(TBigIniFile(IniPath()).ReadString("Info", "LastImageNm", ""), "/a.bmp");
}

TEST_F(CloseTest, UnreadableFileStopsCreationAndIsNotOverwritten) {
  WriteIni(kFile);
  const QString path = QString::fromStdString(IniPath());
  QFile::setPermissions(path, QFileDevice::WriteOwner);
  if (QFile(path).open(QIODevice::ReadOnly)) {
    // Running with rights to read anything: a folder in the file's place cannot be read either.
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_THROW(Open(), TIniFileError);
    EXPECT_TRUE(QFileInfo(path).isDir());
    return;
  }
  EXPECT_THROW(Open(), TIniFileError);
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(IniBytes(), kFile);
}

// A termination request ends the save question's loop without an answer: the close is left
// to the exit, which saves silently whatever the box reported.
TEST_F(CloseTest, TerminationDuringTheSaveQuestionSavesSilently) {
  for (const MsgAnswer reported : {MsgAnswer::Ok, MsgAnswer::No}) {
    WriteIni(kFile);
    OpenEdited();
    form->SetTerminating(true);
    messages.Answer(reported);
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->CloseHandled());
    form.reset();
    EXPECT_EQ(SavedQty(), "9");
  }
}
