// Loading a prepared file into the real window, editing controls and saving it back.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "FormFixture.h"
#include "config/BigIni.h"
#include "widgets/UpDown.h"

namespace {

const QByteArray kFull =
    "[Info]\r\nDefault Directory=/pictures\r\nDisplay Order=RANDOM_CYCLE\r\nImgMgr Directory=/explorer\r\n"
    "Trigger Measure=HOURS\r\nDefault Display=BRICK_TILE\r\nExcept:Default Display=CENTER\r\nExcept:Width=40\r\n"
    "Except:Height=50\r\nExcept:Enabled=0\r\nIMSplitter=200\r\nSysTrayClick=2\r\nConfirmRemove=0\r\n"
    "Fill Color=255\r\nTrigger Qty=7\r\nAutoClose Minutes=12\r\nAutoClose=1\r\nOpen Minimized=0\r\n"
    "Plus! Installed=1\r\nSortImages=0\r\nExecSinceChg=3\r\nLastImageNm=/b.bmp\r\nLastDispStr=TILE\r\n\r\n"
    "[Bitmaps]\r\n/c.bmp=CENTER.NOT\r\n/b.bmp=TILE.MARKED\r\n/a.jpg=MIRROR_TILE.NOT\r\n\r\n";

}  // namespace

TEST_F(FormTest, LoadFeedsEveryControl) {
  OpenWith(kFull);
  EXPECT_EQ(form->Settings().AddDialogFolder, "/pictures");
  EXPECT_TRUE(form->orderRandomCycle->isChecked());
  EXPECT_EQ(form->ImgMgrDirectory(), "/explorer");
  EXPECT_EQ(form->execTypeCB->currentIndex(), 2);
  EXPECT_EQ(form->DefDispCB->currentText(), "BRICK_TILE");
  EXPECT_EQ(form->DefExcCB->currentText(), "CENTER");
  EXPECT_EQ(form->excWidthQty->text(), "40");
  EXPECT_EQ(form->excHeightQtyUpDown->Position(), 50);
  EXPECT_EQ(form->IMPanelImageWidth(), 200);
  EXPECT_EQ(form->SysTrayClickCB->currentIndex(), 2);
  EXPECT_FALSE(form->ConfirmRemove->isChecked());
  EXPECT_EQ(form->FillColor(), 255);
  EXPECT_EQ(form->execQty->text(), "7");
  EXPECT_EQ(form->execQtyUpDown->Position(), 7);
  EXPECT_EQ(form->AutoCloseMin->text(), "12");
  EXPECT_TRUE(form->AutoClose->isChecked());
  EXPECT_TRUE(form->PlusInstalled->isChecked());
  EXPECT_FALSE(form->SortImages->isChecked());
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 3);
  EXPECT_EQ(form->Agent().State().LastImageNm, "/b.bmp");
  // Unsorted: file order; the marked entry keeps its mark under Random Cycle.
  EXPECT_EQ(Names(), (std::vector<std::string>{"/c.bmp", "/b.bmp", "/a.jpg"}));
  EXPECT_EQ(form->ImageList().At(1).mark, 1);
  EXPECT_EQ(form->ImageList().At(2).disp, DispObj::MirrorTile);
  EXPECT_TRUE(form->ResetMarked->isEnabled());
  // LastImageNm chooses the selection when the desktop names no listed file.
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  EXPECT_FALSE(form->Save->isEnabled());
  EXPECT_FALSE(form->Reload->isEnabled());
  EXPECT_EQ(form->Count->text(), "3");
}

TEST_F(FormTest, SavingUnchangedLoadGivesSameBytesTwice) {
  OpenWith(kFull);
  form->SaveClick();
  const QByteArray first = IniBytes();
  form->SaveClick();
  EXPECT_EQ(IniBytes(), first);
  // A file the program wrote comes back unchanged: same keys, order, list and marks.
  EXPECT_EQ(first, kFull);
}

TEST_F(FormTest, MissingFileGivesDefaultsAndFreshFileOrder) {
  Open();
  EXPECT_EQ(form->execQty->text(), "1");
  EXPECT_EQ(form->AutoCloseMin->text(), "1");
  EXPECT_TRUE(form->SortImages->isChecked());
  EXPECT_TRUE(form->ConfirmRemove->isChecked());
  EXPECT_EQ(form->DefDispCB->currentText(), "TILE");
  EXPECT_EQ(form->DefExcCB->currentText(), "STRETCH");
  EXPECT_EQ(form->IMPanelImageWidth(), 305);
  EXPECT_EQ(form->ImgMgrDirectory(), dir.path().toStdString());
  EXPECT_DOUBLE_EQ(form->Agent().State().LastChgDateTime, clock.now - 1000);
  EXPECT_TRUE(form->orderSequential->isChecked());
  form->Settings().AddDialogFolder = "/home/pics";
  form->SaveClick();
  const QByteArray expected =
      "[Info]\r\nDefault Directory=/home/pics\r\nDisplay Order=SEQUENTIAL\r\nImgMgr Directory=" + dir.path().toUtf8() +
      "\r\nTrigger Measure=DAYS\r\nDefault Display=TILE\r\nExcept:Default Display=STRETCH\r\n"
      "Except:Width=100\r\nExcept:Height=100\r\nExcept:Enabled=0\r\nIMSplitter=305\r\nSysTrayClick=0\r\n"
      "ConfirmRemove=1\r\nFill Color=0\r\nTrigger Qty=1\r\nAutoClose Minutes=1\r\nAutoClose=0\r\n"
      "Open Minimized=0\r\nPlus! Installed=0\r\nSortImages=1\r\n\r\n";
  EXPECT_EQ(IniBytes(), expected);
}

TEST_F(FormTest, EditedControlsReachTheFile) {
  OpenWith(kFull);
  form->execQty->setText("42");
  EXPECT_TRUE(form->Save->isEnabled());
  form->orderRandom->setChecked(true);
  form->execTypeCB->setCurrentIndex(4);
  form->PlusInstalled->setChecked(false);
  form->SaveClick();
  const TBigIniFile saved(IniPath());
  EXPECT_EQ(saved.ReadString("Info", "Trigger Qty", ""), "42");
  EXPECT_EQ(saved.ReadString("Info", "Display Order", ""), "RANDOM");
  EXPECT_EQ(saved.ReadString("Info", "Trigger Measure", ""), "SECONDS");
  EXPECT_EQ(saved.ReadString("Info", "Plus! Installed", ""), "0");
  // Marks are written only under Random Cycle.
  EXPECT_EQ(saved.ReadString("Bitmaps", "/b.bmp", ""), "TILE.NOT");
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(FormTest, FieldThatIsNotANumberStopsSaveAndKeepsBitmaps) {
  OpenWith(kFull);
  form->execQty->setText("");
  form->RemoveClick();
  EXPECT_THROW(form->SaveClick(), TConvertError);
  EXPECT_TRUE(form->Save->isEnabled());
  const TBigIniFile saved(IniPath());
  EXPECT_EQ(saved.ReadString("Bitmaps", "/b.bmp", ""), "TILE.MARKED");
}

// The load lets pending events run between entries; a command among them must not act on
// the half-read list: a save would write it, a close would offer to.
TEST_F(FormTest, CommandsThatArriveWhileTheListLoadsDoNothing) {
  QByteArray text = "[Info]\r\nSortImages=0\r\n[Bitmaps]\r\n";
  for (int i = 0; i < 250; ++i) text += "/p" + QByteArray::number(i) + ".bmp=TILE.NOT\r\n";
  OpenWith(text);
  form->Change(nullptr);
  int countWhenCommanded = 0;
  QTimer poke;
  poke.setInterval(0);
  QObject::connect(&poke, &QTimer::timeout, [&] {
    if (countWhenCommanded > 0 || form->ImageList().Count() == 0) return;
    countWhenCommanded = form->ImageList().Count();
    form->Save->click();
    form->Remove->click();
    form->close();
  });
  poke.start();
  form->ReloadClick();
  poke.stop();
  ASSERT_GT(countWhenCommanded, 0);
  ASSERT_LT(countWhenCommanded, 250) << "the commands came while the list was half read";
  EXPECT_EQ(IniBytes(), text);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->ImageList().Count(), 250);

  form->Remove->click();
  EXPECT_EQ(form->ImageList().Count(), 249) << "once the list is whole, commands act";
}

// A click action from a hand-edited file that names no item does nothing and is kept.
TEST_F(FormTest, UnknownTrayClickActionDoesNothingAndIsKept) {
  OpenWith("[Info]\r\nSysTrayClick=9\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n");
  EXPECT_EQ(form->Settings().ClickAction, TrayClickAction::None);
  form->OKClick(form->OK);
  form->RxTrayIcon1Click(form->RxTrayIcon1, Qt::LeftButton, QPoint());
  EXPECT_TRUE(form->Agent().Running());
  form->SaveClick();
  EXPECT_EQ(TBigIniFile(IniPath()).ReadString("Info", "SysTrayClick", ""), "-1");
  form->SysTrayClickCB->setCurrentIndex(1);
  EXPECT_EQ(form->Settings().ClickAction, TrayClickAction::NextImage);
}

TEST_F(FormTest, SeveralMonitorsSettingIsKeptOnlyWhenUsed) {
  const std::pair<QByteArray, int> rows[] = {{"EACH", 1}, {"SPAN", 2}, {"SAME", 0}, {"each", 0}, {"", 0}};
  for (const auto& [stored, index] : rows) {
    OpenWith("[Info]\r\nMonitors=" + stored + "\r\n");
    EXPECT_EQ(form->MonitorsComboBox->currentIndex(), index) << stored.constData();
  }
  OpenWith(kFull);
  form->MonitorsComboBox->setCurrentIndex(1);
  EXPECT_EQ(form->Settings().Monitors, MonitorMode::Each);
  form->SaveClick();
  EXPECT_EQ(IniBytes(), QByteArray(kFull).replace("LastDispStr=TILE\r\n", "LastDispStr=TILE\r\nMonitors=EACH\r\n"));
  form->MonitorsComboBox->setCurrentIndex(0);
  form->SaveClick();
  EXPECT_EQ(IniBytes(), kFull) << "back to SAME, the file is byte for byte what it was";
}

// The Desktop page's fade shows the file's value held to its range and keeps it in the file
// until the user edits it; half a second is never written.
TEST_F(FormTest, TheFadeSettingIsKeptUntilItIsEdited) {
  OpenWith(QByteArray(kFull).replace("SortImages=0\r\n", "SortImages=0\r\nFade Milliseconds=20000\r\n"));
  EXPECT_DOUBLE_EQ(form->FadeSeconds->value(), 10.0);
  EXPECT_EQ(FadeTime(form->Settings()), 10000);
  EXPECT_FALSE(form->Save->isEnabled());
  form->SaveClick();
  EXPECT_TRUE(IniBytes().contains("Fade Milliseconds=20000\r\n"));
  form->FadeSeconds->setValue(0.5);
  EXPECT_TRUE(form->Save->isEnabled());
  form->SaveClick();
  EXPECT_EQ(IniBytes(), kFull) << "back to half a second, the file is byte for byte what it was";
  form->FadeSeconds->setValue(2.3);
  form->SaveClick();
  EXPECT_TRUE(IniBytes().contains("Fade Milliseconds=2300\r\n"));
}

// The Desktop page's command after a change shows the file's command, is written only once
// set, and emptied again leaves the file as it was.
TEST_F(FormTest, TheCommandAfterAChangeIsShownEditedAndRemoved) {
  const QByteArray command = R"(wal -n -i "$1"; notify-send "$1")";
  OpenWith(QByteArray(kFull).replace("SortImages=0\r\n", "SortImages=0\r\nRun After Change=" + command + "\r\n"));
  EXPECT_EQ(form->RunAfterChange->text().toUtf8(), command);
  EXPECT_EQ(form->Settings().RunAfterChange, command.toStdString());
  EXPECT_FALSE(form->Save->isEnabled());
  form->RunAfterChange->setText("");
  EXPECT_TRUE(form->Save->isEnabled());
  form->SaveClick();
  EXPECT_EQ(IniBytes(), kFull) << "without a command, the file is byte for byte what it was";
  form->RunAfterChange->setText("matugen image \"$1\"");
  form->SaveClick();
  EXPECT_TRUE(IniBytes().contains("Run After Change=matugen image \"$1\"\r\n")) << IniBytes().constData();
}

// "Lock screen too" is a box only where the lock screen keeps a picture of its own; elsewhere
// it is off with a line saying why, and a Save keeps the file's value.
TEST_F(FormTest, TheLockScreenBoxIsOnlyOfferedWhereItCanBeSet) {
  const QByteArray withLock = QByteArray(kFull).replace("SortImages=0\r\n", "SortImages=0\r\nLock Screen=1\r\n");
  struct Row {
    LockScreenReach reach;
    const char* note;
  };
  const Row rows[] = {{LockScreenReach::ShowsDesktop, "This desktop's lock screen shows the wallpaper already."},
                      {LockScreenReach::None, "Tesserine cannot set this desktop's lock screen."},
                      {LockScreenReach::Own, ""}};
  for (const Row& row : rows) {
    desktop.lockScreen = row.reach;
    OpenWith(withLock);
    const bool offered = row.reach == LockScreenReach::Own;
    EXPECT_EQ(form->LockScreen->isEnabled(), offered) << row.note;
    EXPECT_TRUE(form->LockScreen->isChecked()) << row.note;
    EXPECT_EQ(form->LockScreenNote->isHidden(), offered) << row.note;
    EXPECT_EQ(form->LockScreenNote->text().toStdString(), row.note);
    form->AutoCloseMin->setText("13");
    form->SaveClick();
    EXPECT_TRUE(IniBytes().contains("Lock Screen=1\r\n")) << row.note;
  }
  form->LockScreen->click();
  form->SaveClick();
  EXPECT_FALSE(IniBytes().contains("Lock Screen")) << "unticked, the key leaves the file";
}

TEST_F(FormTest, ReloadDiscardsEdits) {
  OpenWith(kFull);
  form->AutoCloseMin->setText("99");
  form->RemoveClick();
  form->MIRemoveClick();
  EXPECT_EQ(form->ImageList().Count(), 1);
  form->ReloadClick();
  EXPECT_EQ(form->AutoCloseMin->text(), "12");
  EXPECT_EQ(Names(), (std::vector<std::string>{"/c.bmp", "/b.bmp", "/a.jpg"}));
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(FormTest, LoadRules) {
  // Letter case of names, a stored 0, hexadecimal, an unknown order, clamping, a bad date.
  OpenWith(
      "[info]\r\nautoclose=1\r\nTrigger Qty=0\r\nFill Color=0x0000FF\r\nDisplay Order=random\r\n"
      "Trigger Measure=EXECUTIONS\r\nAutoClose Minutes=70000\r\nDefault Display=tile\r\n"
      "LastChgDateTime=not a date\r\n");
  EXPECT_TRUE(form->AutoClose->isChecked());
  EXPECT_EQ(form->execQty->text(), "1");
  EXPECT_EQ(form->FillColor(), 255);
  EXPECT_TRUE(form->orderSequential->isChecked());
  EXPECT_EQ(form->execTypeCB->currentIndex(), 1);
  EXPECT_EQ(form->AutoCloseMin->text(), "32767");
  EXPECT_EQ(form->AutoCloseMinUpDown->Position(), 99);
  EXPECT_EQ(form->DefDispCB->currentText(), "TILE");
  EXPECT_DOUBLE_EQ(form->Agent().State().LastChgDateTime, clock.now - 1000);
}

TEST_F(FormTest, ExecutionsMeasureChecksAutoCloseAfterLoad) {
  OpenWith("[Info]\r\nTrigger Measure=EXECUTIONS\r\nAutoClose=0\r\n");
  EXPECT_TRUE(form->AutoClose->isChecked());
  EXPECT_FALSE(form->Save->isEnabled());
}

TEST_F(FormTest, MarkedEntryUnderOtherOrderComesBackUnmarked) {
  OpenWith("[Info]\r\nDisplay Order=RANDOM\r\n[Bitmaps]\r\n/a.bmp=TILE.MARKED\r\n");
  EXPECT_EQ(form->ImageList().At(0).mark, 0);
  EXPECT_FALSE(form->ResetMarked->isEnabled());
}

TEST_F(FormTest, BitmapsValueRulesAtLoad) {
  OpenWith(
      "[Info]\r\nSortImages=0\r\nDefault Display=DOUBLE_TILE\r\n[Bitmaps]\r\n/x=y.bmp=STRETCH.NOT\r\n"
      "/bare.bmp=CENTER.STRETCH\r\n/nothing.bmp\r\n/unknown.bmp=FANCY.NOT\r\n=TILE.NOT\r\n");
  ASSERT_EQ(Names(), (std::vector<std::string>{"/x", "/bare.bmp", "/nothing.bmp", "/unknown.bmp"}));
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::Stretch);
  EXPECT_EQ(form->ImageList().At(1).disp, DispObj::Center);
  EXPECT_EQ(form->ImageList().At(2).disp, DispObj::DoubleTile);
  EXPECT_EQ(form->ImageList().At(3).disp, DispObj::DoubleTile);
}

TEST_F(FormTest, NamesDifferingInCaseAreSavedOnceWithLaterSpelling) {
  OpenWith("[Info]\r\nSortImages=0\r\n[Bitmaps]\r\n/A.bmp=TILE.NOT\r\n/a.BMP=CENTER.NOT\r\n");
  EXPECT_EQ(form->ImageList().Count(), 2);
  form->SaveClick();
  EXPECT_TRUE(IniBytes().endsWith("[Bitmaps]\r\n/a.BMP=CENTER.NOT\r\n\r\n"));
}

TEST_F(FormTest, EmptyListSavesNoBitmapsHeader) {
  OpenWith("[Info]\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n");
  form->RemoveClick();
  form->SaveClick();
  EXPECT_FALSE(IniBytes().contains("[Bitmaps]"));
}

TEST_F(FormTest, EntryWithoutMethodIsRecoveredWithMessage) {
  OpenWith("[Info]\r\nDefault Display=CENTER\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n");
  form->ImageList().SetDisp(0, DispObj::None);
  form->SaveClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Settings save error. Press OK to continue");
  const TBigIniFile saved(IniPath());
  EXPECT_EQ(saved.ReadString("Bitmaps", "/a.bmp", ""), "CENTER.NOT");
}

TEST_F(FormTest, LoadSelectsDesktopWallpaperFirst) {
  desktop.values["Wallpaper"] = "/C.BMP";
  OpenWith("[Info]\r\nLastImageNm=/b.bmp\r\n[Bitmaps]\r\n/a.bmp=TILE.NOT\r\n/b.bmp=TILE.NOT\r\n/c.bmp=TILE.NOT\r\n");
  EXPECT_EQ(SelectedRows(), std::vector<int>{2});
  EXPECT_EQ(form->CurrentFileName(), "/c.bmp");
}
