// The tray agent driven through the real main window: starting and ending it, the click
// action, the menu and its commands, the hint.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "wallpaper/Compositions.h"
#include "window/AgentFixture.h"

namespace {

const std::vector<std::string> kThree = {"a.bmp=TILE.NOT", "b.bmp=TILE.NOT", "c.bmp=TILE.NOT"};
const std::string kHourly = "Trigger Measure=HOURS\r\nTrigger Qty=1\r\n";

class AgentTrayTest : public AgentFormTest {
 protected:
  void Start(const std::string& info = kHourly, const std::vector<std::string>& entries = kThree) {
    Open(info + LastChange(0), entries);
    form->OKClick(form->OK);
  }
};

TEST_F(AgentTrayTest, StartHidesTheWindowAndShowsTheRunningIcon) {
  Start();
  EXPECT_TRUE(form->Agent().Running());
  EXPECT_FALSE(form->isVisible());
  ASSERT_NE(form->RxTrayIcon1, nullptr);
  EXPECT_TRUE(form->RxTrayIcon1->isVisible());
  EXPECT_TRUE(ShowsIcon(form->SysTrayIcon));
  EXPECT_EQ(form->Pause1->text(), "Pause");
  EXPECT_TRUE(TimerArmed(3600 + 5));

  form->Properties1Click(form->Properties1);
  EXPECT_FALSE(form->Agent().Running());
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->RxTrayIcon1->isVisible());
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentTrayTest, PauseAndResumeSwapIconAndTimer) {
  Start();
  form->Pause1Click(form->Pause1);
  EXPECT_EQ(form->Pause1->text(), "Resume");
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_TRUE(ShowsIcon(form->SysTrayPaused));

  form->Pause1Click(form->Pause1);
  EXPECT_EQ(form->Pause1->text(), "Pause");
  EXPECT_TRUE(TimerArmed(1));
  EXPECT_TRUE(ShowsIcon(form->SysTrayIcon));

  // A new start un-pauses.
  form->Pause1Click(form->Pause1);
  form->Properties1Click(form->Properties1);
  form->OKClick(form->OK);
  EXPECT_EQ(form->Pause1->text(), "Pause");
  EXPECT_TRUE(ShowsIcon(form->SysTrayIcon));
  EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(AgentTrayTest, NextActsEvenWhilePaused) {
  Start();
  form->Pause1Click(form->Pause1);
  form->Next1Click(form->Next1);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(desktop.values["Wallpaper"], Name(1));
  // The check that follows finds the agent paused and leaves the timer off.
  form->Timer1Timer(form->Timer1);
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentTrayTest, PreviousItemGoesBackKeepsTheMarksAndIsOffWithNothingBehind) {
  random.Add({1, 1});
  Start("Display Order=RANDOM_CYCLE\r\n" + kHourly, {"a.bmp=TILE.NOT", "b.bmp=CENTER.NOT", "c.bmp=TILE.NOT"});
  EXPECT_FALSE(form->Previous1->isEnabled());
  form->Next1->trigger();
  const std::string first = desktop.values["Wallpaper"];
  form->Next1->trigger();
  const std::string second = desktop.values["Wallpaper"];
  ASSERT_TRUE(messages.asked.empty());
  ASSERT_NE(first, second);
  EXPECT_TRUE(form->Previous1->isEnabled());
  const std::vector<std::int32_t> marks = Marks();
  form->Previous1->trigger();
  EXPECT_EQ(Name(Selected()), first);
  EXPECT_EQ(form->Agent().State().LastImageNm, first);
  EXPECT_EQ(Marks(), marks) << "going back changed the random-cycle marks";
  // Next walks forward to what was shown after it, drawing no random number.
  const std::size_t drawn = random.asked.size();
  form->Next1->trigger();
  EXPECT_EQ(Name(Selected()), second);
  EXPECT_EQ(random.asked.size(), drawn);
  EXPECT_TRUE(form->Previous1->isEnabled());
  form->Previous1->trigger();
  EXPECT_EQ(Name(Selected()), first);
  EXPECT_FALSE(form->Previous1->isEnabled()) << "nothing is left behind the first change";
  EXPECT_FALSE(form->PreviousBackground());
  EXPECT_EQ(Name(Selected()), first);
}

struct RemoveCase {
  const char* name;
  bool confirm;
  std::vector<MsgAnswer> answers;
  std::size_t countAfter;
  int selectedAfter;
};

TEST_F(AgentTrayTest, RemoveWithAndWithoutQuestion) {
  const RemoveCase cases[] = {
      {"answered No", true, {MsgAnswer::No}, 3, 1},
      {"answered Yes", true, {MsgAnswer::Yes}, 2, 0},
      {"no question", false, {}, 2, 0},
  };
  for (const auto& c : cases) {
    messages.asked.clear();
    Start(kHourly + (c.confirm ? "ConfirmRemove=1\r\n" : "ConfirmRemove=0\r\n"));
    Select(1);
    const std::string removed = Name(1);
    for (MsgAnswer answer : c.answers) messages.Answer(answer);
    form->Remove1Click(form->Remove1);
    ASSERT_EQ(messages.asked.size(), c.answers.size()) << c.name;
    if (c.confirm) {
      EXPECT_EQ(messages.asked[0].text.toStdString(),
                "Are you sure you want to remove " + removed + " from the background images list?")
          << c.name;
      EXPECT_EQ(messages.asked[0].buttons, MsgButtons::YesNo) << c.name;
    }
    EXPECT_EQ(static_cast<std::size_t>(form->ImageList().Count()), c.countAfter) << c.name;
    // After a removal the entry that took its place (c) is passed over by the next change.
    EXPECT_EQ(Selected(), c.selectedAfter) << c.name;
    EXPECT_EQ(form->Save->isEnabled(), c.countAfter == 2) << c.name;
    EXPECT_FALSE(form->isVisible()) << c.name;
    EXPECT_TRUE(TimerArmed(1)) << c.name;
  }
}

TEST_F(AgentTrayTest, RemovingTheOnlyEntryLeavesAnEmptyListQuietly) {
  Start(kHourly + "ConfirmRemove=0\r\n", {"a.bmp=TILE.NOT"});
  form->Remove1Click(form->Remove1);
  EXPECT_EQ(form->ImageList().Count(), 0);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_TRUE(TimerArmed(1));
  form->Remove1Click(form->Remove1);
  form->Timer1Timer(form->Timer1);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentTrayTest, DisplayTypeItemSetsAndAppliesTheMethod) {
  Start();
  QAction* brick = form->mnuDispTypItems[ToInt(DispObj::BrickTile)];
  ASSERT_EQ(brick->data().toInt(), ToInt(DispObj::BrickTile));
  form->mnuDispTypItmClick(brick);
  EXPECT_EQ(form->ImageList().At(0).disp, DispObj::BrickTile);
  EXPECT_EQ(form->Agent().State().LastDispStr, "BRICK_TILE");
  EXPECT_EQ(desktop.values["Wallpaper"], form->Agent().ConvertFileName());
  EXPECT_TRUE(brick->isChecked());
  EXPECT_FALSE(form->mnuDispTypItems[ToInt(DispObj::Tile)]->isChecked());
  EXPECT_TRUE(form->Save->isEnabled());
  EXPECT_TRUE(TimerArmed(1));
  EXPECT_EQ(form->mnuImgName->text(), "a.bmp (BRICK_TILE)");
}

// Between changes the hidden agent holds no decoded or composed picture; using the entry
// again decodes it afresh, so a composition never comes from the freed picture.
TEST_F(AgentTrayTest, HiddenAgentFreesThePictureBetweenChanges) {
  Start();
  EXPECT_EQ(form->Pictures().SourceName(), Name(0));
  EXPECT_TRUE(form->Pictures().SourceBitmap().isNull());

  form->mnuDispTypItmClick(form->mnuDispTypItems[ToInt(DispObj::MirrorTile)]);
  QImage red(4, 3, QImage::Format_RGB32);
  red.fill(Qt::red);
  const QImage written(QString::fromStdString(form->Agent().ConvertFileName()));
  ASSERT_EQ(written.size(), BuildMirrorTile(red).size());
  EXPECT_EQ(written.pixel(written.width() - 1, written.height() - 1), qRgb(255, 0, 0));
  form->Timer1Timer(form->Timer1);
  EXPECT_TRUE(form->Pictures().SourceBitmap().isNull());
  EXPECT_TRUE(form->Compositions().ComposedBitmap().isNull());

  form->Properties1Click(form->Properties1);
  EXPECT_EQ(form->Pictures().SourceBitmap().size(), QSize(4, 3));
  EXPECT_EQ(form->labelWidth->text(), "4");
}

TEST_F(AgentTrayTest, LeftClickRunsTheChosenAction) {
  Start();
  form->SysTrayClickCB->setCurrentIndex(3);
  form->RxTrayIcon1Click(form->RxTrayIcon1, Qt::LeftButton, QPoint());
  EXPECT_EQ(form->Pause1->text(), "Resume");
  EXPECT_TRUE(ShowsIcon(form->SysTrayPaused));
  form->RxTrayIcon1Click(form->RxTrayIcon1, Qt::LeftButton, QPoint());
  EXPECT_EQ(form->Pause1->text(), "Pause");

  form->SysTrayClickCB->setCurrentIndex(1);
  emit form->RxTrayIcon1->activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(Selected(), 1);

  form->SysTrayClickCB->setCurrentIndex(0);
  form->RxTrayIcon1Click(form->RxTrayIcon1, Qt::LeftButton, QPoint());
  EXPECT_FALSE(form->Agent().Running());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(AgentTrayTest, ClickActionMovesTheDefaultItemAndDoubleClickRunsIt) {
  Start();
  EXPECT_EQ(form->SysTrayPopupMenu1->defaultAction(), form->Properties1);
  form->SysTrayClickCB->setCurrentIndex(1);
  form->SysTrayClickCBChange(form->SysTrayClickCB);
  EXPECT_EQ(form->SysTrayPopupMenu1->defaultAction(), form->Next1);
  EXPECT_TRUE(form->Save->isEnabled());
  emit form->RxTrayIcon1->activated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(Selected(), 1);

  form->SysTrayClickCB->setCurrentIndex(3);
  form->SysTrayClickCBChange(form->SysTrayClickCB);
  EXPECT_EQ(form->SysTrayPopupMenu1->defaultAction(), form->Pause1);
}

TEST_F(AgentTrayTest, RightClickShowsTheMenuWithTheTimerOff) {
  Start();
  desktop.values["Wallpaper"] = Name(0);
  form->Agent().State().LastImageNm = Name(0);
  form->Agent().State().LastDispStr = "TILE";
  bool timerOffWhileOpen = false;
  bool imageNameDisabled = false;
  QTimer::singleShot(0, [&] {
    timerOffWhileOpen = !form->Timer1->isActive();
    imageNameDisabled = !form->mnuImgName->isEnabled();
    form->SysTrayPopupMenu1->close();
  });
  form->RxTrayIcon1Click(form->RxTrayIcon1, Qt::RightButton, QPoint(10, 10));
  EXPECT_TRUE(timerOffWhileOpen);
  EXPECT_TRUE(imageNameDisabled);
  EXPECT_EQ(form->mnuImgName->text(), "a.bmp (TILE)");
  EXPECT_FALSE(form->mnuDispTypItems[ToInt(DispObj::Center)]->icon().isNull());
  // Closed while the window is hidden and the agent is not paused: a check at once.
  EXPECT_TRUE(TimerArmed(1));

  form->Pause1Click(form->Pause1);
  QTimer::singleShot(0, [&] { form->SysTrayPopupMenu1->close(); });
  form->ShowTrayMenu(QPoint(10, 10));
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentTrayTest, MenuCloseSavesWithoutAskingAndLeavesTheTimerOff) {
  Start();
  form->Change(nullptr);
  QTimer::singleShot(0, [&] {
    form->Close1->trigger();
    form->SysTrayPopupMenu1->close();
  });
  form->ShowTrayMenu(QPoint(10, 10));
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(form->Save->isEnabled());
  EXPECT_FALSE(form->Timer1->isActive());
}

struct HintCase {
  const char* name;
  std::map<std::string, std::string> desktopValues;
  std::string lastImage;
  const char* expected;
};

TEST_F(AgentTrayTest, HintNamesTheWallpaper) {
  Start();
  form->Agent().State().LastDispStr = "BRICK_TILE";
  const HintCase cases[] = {
      {"our own image", {{"Wallpaper", "/p/forest.bmp"}}, "/p/forest.bmp", "forest.bmp (BRICK_TILE)"},
      {"our converted file",
       {{"Wallpaper", form->Agent().ConvertFileName()}},
       "/p/forest.jpg",
       "forest.jpg (BRICK_TILE)"},
      {"someone else's, tiled",
       {{"Wallpaper", "/q/sea.bmp"}, {"TileWallpaper", "1"}},
       "/p/forest.bmp",
       "sea.bmp (TILED)"},
      {"someone else's, not tiled",
       {{"Wallpaper", "/q/sea.bmp"}, {"TileWallpaper", "0"}},
       "/p/f.bmp",
       "sea.bmp (CENTERED)"},
      {"nothing set", {}, "/p/forest.bmp", "*ERROR* (CENTERED)"},
  };
  for (const auto& c : cases) {
    desktop.values = c.desktopValues;
    form->Agent().State().LastImageNm = c.lastImage;
    form->SetHint();
    EXPECT_EQ(form->mnuImgName->text().toStdString(), c.expected) << c.name;
    EXPECT_EQ(form->RxTrayIcon1->toolTip().toStdString(), c.expected) << c.name;
  }
}

TEST_F(AgentTrayTest, TrayTipIsCutTo63Characters) {
  Start();
  const std::string longName = "/p/" + std::string(70, 'x') + ".bmp";
  desktop.values = {{"Wallpaper", longName}};
  form->Agent().State().LastImageNm = longName;
  form->Agent().State().LastDispStr = "TILE";
  form->SetHint();
  const QString whole = QString::fromStdString(std::string(70, 'x') + ".bmp (TILE)");
  EXPECT_EQ(form->mnuImgName->text(), whole);
  EXPECT_EQ(form->RxTrayIcon1->toolTip(), whole.left(63));

  desktop.values = {{"Wallpaper", "/p/a|b.bmp"}};
  form->Agent().State().LastImageNm = "/p/a|b.bmp";
  form->SetHint();
  EXPECT_EQ(form->mnuImgName->text(), "a|b.bmp (TILE)");
  EXPECT_EQ(form->RxTrayIcon1->toolTip(), "a");
}

TEST_F(AgentTrayTest, WithoutATrayTheUserIsToldOnceWithoutABoxThatWaits) {
  trayAvailable = false;
  std::vector<QString> notices;
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\n" + LastChange(0), kThree);
  form->NotifyDesktop = [&notices](const QString&, const QString& body) {
    notices.push_back(body);
    return true;
  };
  form->OKClick(form->OK);
  EXPECT_TRUE(form->Agent().Running());
  EXPECT_TRUE(form->isMinimized());
  EXPECT_FALSE(form->RxTrayIcon1->isVisible());
  EXPECT_TRUE(form->Timer1->isActive());
  QCoreApplication::processEvents();
  EXPECT_TRUE(messages.asked.empty());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].contains("no system tray"));
  EXPECT_TRUE(form->windowTitle().contains("no system tray"));

  form->Properties1Click(form->Properties1);
  EXPECT_EQ(form->windowTitle(), "Tesserine v1.0");
  form->OKClick(form->OK);
  QCoreApplication::processEvents();
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_TRUE(messages.asked.empty());
}

// Open Minimized with auto-close on a desktop without a tray: the save question is the only
// box, and answering it ends the run at once.
TEST_F(AgentTrayTest, WithoutATrayAutoCloseAnsweredYesEndsAtOnce) {
  trayAvailable = false;
  Open("Open Minimized=1\r\nTrigger Measure=HOURS\r\nTrigger Qty=1\r\nAutoClose=1\r\nAutoClose Minutes=1\r\n" +
           LastChange(0),
       kThree);
  form->NotifyDesktop = [](const QString&, const QString&) { return false; };
  form->OKClick(form->OK);
  form->Change(nullptr);
  messages.Answer(MsgAnswer::Yes);
  AdvanceMs(60000);
  form->Timer1Timer(form->Timer1);
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Do you want to save your configuration changes?");
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_FALSE(form->Save->isEnabled());
}

}  // namespace
