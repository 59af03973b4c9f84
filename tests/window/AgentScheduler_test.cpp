// The scheduler and the selection order driven through the real main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/AgentFixture.h"

namespace {

const std::vector<std::string> kThree = {"a.bmp=TILE.NOT", "b.bmp=TILE.NOT", "c.bmp=TILE.NOT"};

TEST_F(AgentFormTest, TenSecondScheduleThroughTheWindow) {
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\n", kThree);
  ASSERT_EQ(Selected(), 0);
  form->OKClick(form->OK);
  // The first check finds the 1000-day-old default due: the next entry is applied.
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(form->Agent().State().LastImageNm, Name(1));
  EXPECT_EQ(desktop.values["Wallpaper"], Name(1));
  EXPECT_TRUE(TimerArmed(10));

  AdvanceMs(10);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Selected(), 1);
  EXPECT_TRUE(TimerArmed(15));

  AdvanceMs(1000);
  form->Timer1Timer(form->Timer1);
  EXPECT_TRUE(TimerArmed(14));

  AdvanceMs(9000);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(TimerArmed(10));
  EXPECT_EQ(form->Ini().ReadString("Info", "LastImageNm", ""), Name(2));

  // The sequence wraps to the first entry.
  AdvanceMs(10000);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Selected(), 0);
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(AgentFormTest, ExecutionsCountOncePerRun) {
  Open("Trigger Measure=EXECUTIONS\r\nTrigger Qty=3\r\nExecSinceChg=1\r\nAutoClose=1\r\nAutoClose Minutes=5\r\n",
       kThree);
  form->OKClick(form->OK);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 2);
  EXPECT_EQ(form->Ini().ReadInteger("Info", "ExecSinceChg", -1), 2);
  EXPECT_EQ(Selected(), 0);
  // Only auto-close re-arms the timer in this measure.
  EXPECT_TRUE(TimerArmed(5 * 60000 + 5));

  AdvanceMs(60000);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 2);
  EXPECT_TRUE(TimerArmed(4 * 60000 + 5));
}

TEST_F(AgentFormTest, ThirdExecutionChanges) {
  Open("Trigger Measure=EXECUTIONS\r\nTrigger Qty=3\r\nExecSinceChg=2\r\n", kThree);
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 0);
  EXPECT_TRUE(form->Agent().State().ExecCounted);
  EXPECT_EQ(form->Ini().ReadInteger("Info", "ExecSinceChg", -1), 0);
}

TEST_F(AgentFormTest, ManualChangeBeforeTheFirstTickCountsNoExecution) {
  Open("Trigger Measure=EXECUTIONS\r\nTrigger Qty=3\r\nExecSinceChg=1\r\n", kThree);
  form->ApplyClick(form->Apply);
  form->OKClick(form->OK);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 0);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(AgentFormTest, ScreenSaverPostponesTheChangeButNotAutoClose) {
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\n", kThree);
  screenSaver.running = true;
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 0);
  EXPECT_TRUE(TimerArmed(60000));
  EXPECT_EQ(screenSaver.asked, 1);

  form->AutoClose->setChecked(true);
  form->AutoCloseMin->setText("1");
  AdvanceMs(30000);
  form->Timer1Timer(form->Timer1);
  EXPECT_TRUE(TimerArmed(30005));

  screenSaver.running = false;
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Selected(), 1);
}

TEST_F(AgentFormTest, PausedTicksChangeNothingAndAskNothing) {
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n", kThree);
  form->OKClick(form->OK);
  ASSERT_EQ(Selected(), 1);
  form->Pause1Click(form->Pause1);
  const int asked = screenSaver.asked;
  AdvanceMs(5000);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Selected(), 1);
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_EQ(screenSaver.asked, asked);
}

TEST_F(AgentFormTest, AutoCloseLimitZeroEndsTheProgram) {
  Open("Trigger Measure=HOURS\r\nTrigger Qty=1\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n" + LastChange(0), kThree);
  form->OKClick(form->OK);
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentFormTest, AutoCloseAsksAboutUnsavedChangesAndCancelKeepsRunning) {
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\nAutoClose=1\r\nAutoClose Minutes=1\r\n", kThree);
  form->OKClick(form->OK);
  ASSERT_TRUE(TimerArmed(10));
  form->Change(nullptr);
  messages.Answer(MsgAnswer::Cancel);
  AdvanceMs(60000);
  form->Timer1Timer(form->Timer1);
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Do you want to save your configuration changes?");
  EXPECT_EQ(terminateRequests, 0);
  // The tick goes on with the schedule's own interval.
  EXPECT_TRUE(TimerArmed(10));

  // Auto-close counts from the latest agent start.
  form->Properties1Click(form->Properties1);
  form->OKClick(form->OK);
  EXPECT_EQ(terminateRequests, 0);
  messages.Answer(MsgAnswer::No);
  AdvanceMs(60000);
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentFormTest, QuantityThatIsNoNumberStopsTheTimer) {
  Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\n", kThree);
  form->OKClick(form->OK);
  form->execQty->setText("");
  EXPECT_THROW(form->Timer1Timer(form->Timer1), TConvertError);
  EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(AgentFormTest, NoSelectionNeitherChangesNorCounts) {
  Open("Trigger Measure=EXECUTIONS\r\nTrigger Qty=1\r\nAutoClose=1\r\nAutoClose Minutes=2\r\n", {});
  form->OKClick(form->OK);
  EXPECT_EQ(form->Agent().State().ExecSinceChg, 0);
  EXPECT_FALSE(form->Agent().State().ExecCounted);
  EXPECT_TRUE(TimerArmed(2 * 60000 + 5));
  form->NextBackground();
  form->Next1Click(form->Next1);
  EXPECT_TRUE(messages.asked.empty());
}

// A change the agent makes by itself waits for no answer: its failure shows in the tray tip,
// or without a tray in the minimised window's caption, and in one notification for the whole
// run of failures; the schedule goes on, and the next change that succeeds takes it back. A
// change the user asks for keeps the error box.
TEST_F(AgentFormTest, TheAgentsOwnFailedChangesWaitForNoAnswerAndAreToldOnce) {
  for (const bool tray : {true, false}) {
    SCOPED_TRACE(tray ? "tray" : "no tray");
    trayAvailable = tray;
    messages.asked.clear();
    desktop.values.clear();
    Open("Trigger Measure=SECONDS\r\nTrigger Qty=10\r\nSortImages=0\r\n",
         {"a.bmp=TILE.NOT", "broken1.bmp=TILE.NOT", "broken2.bmp=TILE.NOT", "c.bmp=TILE.NOT", "broken3.bmp=TILE.NOT"});
    for (const char* name : {"broken1.bmp", "broken2.bmp", "broken3.bmp"}) {
      QFile broken(QString::fromStdString(Picture(name)));
      ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
      broken.write("this is no bitmap");
    }
    std::vector<QString> notices;
    form->NotifyDesktop = [&notices](const QString& summary, const QString& body) {
      notices.push_back(summary + ": " + body);
      return true;
    };
    const auto told = [this, tray] { return tray ? form->RxTrayIcon1->toolTip() : form->windowTitle(); };

    form->OKClick(form->OK);
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(TimerArmed(10));
    EXPECT_EQ(told(), tray ? "Bitmap image is not valid" : "Tesserine agent: Bitmap image is not valid");
    const std::vector<QString> once{"Tesserine could not change the wallpaper: Bitmap image is not valid"};
    EXPECT_EQ(std::vector<QString>(notices.end() - 1, notices.end()), once);
    const std::size_t noticesAfterFirst = notices.size();

    AdvanceMs(10005);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(notices.size(), noticesAfterFirst) << "one notification for the run of failures";
    EXPECT_TRUE(TimerArmed(10));

    AdvanceMs(10005);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Selected(), 3);
    EXPECT_TRUE(form->Agent().State().ChangeFailure.empty());
    EXPECT_EQ(told(), tray ? "c.bmp (TILE)" : "Tesserine agent (no system tray: restore to change the settings)");

    form->Next1Click(form->Next1);
    ASSERT_EQ(messages.asked.size(), 1u) << "a change the user asked for shows its error";
    EXPECT_EQ(messages.asked[0].kind, MsgKind::Error);
    EXPECT_TRUE(messages.asked[0].text.contains("Bitmap image is not valid"));
    EXPECT_EQ(notices.size(), noticesAfterFirst);
    form.reset();
  }
}

TEST_F(AgentFormTest, RandomCycleThroughTheWindow) {
  Open("Display Order=RANDOM_CYCLE\r\nTrigger Measure=SECONDS\r\nTrigger Qty=1\r\n",
       {"a.bmp=TILE.MARKED", "b.bmp=TILE.NOT", "c.bmp=TILE.NOT", "d.bmp=TILE.NOT"});
  Select(1);
  random.Add({0, 1});
  form->OKClick(form->OK);
  EXPECT_EQ(form->Agent().CycleRemaining(), 2);
  // Unmarked are b, c, d; the draw of 0 is b, the current entry, so it is drawn again.
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Marks(), (std::vector<std::int32_t>{1, 0, 1, 0}));
  EXPECT_EQ(random.asked, (std::vector<int>{3, 3}));
  EXPECT_TRUE(form->ResetMarked->isEnabled());

  // The cycle's last two picks (b, then d), then a new cycle whose first draw is a.
  random.Add({0, 0, 0});
  for (int tick = 0; tick < 3; ++tick) {
    AdvanceMs(1000);
    form->Timer1Timer(form->Timer1);
  }
  // The spent cycle starts over with every mark cleared.
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(form->Agent().CycleRemaining(), 3);
  EXPECT_EQ(Marks(), (std::vector<std::int32_t>{1, 0, 0, 0}));
  EXPECT_EQ(random.asked, (std::vector<int>{3, 3, 2, 1, 4}));
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(AgentFormTest, OrderSwitchAndResetMarkedClearMarks) {
  Open("Display Order=RANDOM_CYCLE\r\n", {"a.bmp=TILE.MARKED", "b.bmp=TILE.NOT"});
  ASSERT_EQ(Marks(), (std::vector<std::int32_t>{1, 0}));
  ASSERT_TRUE(form->ResetMarked->isEnabled());
  form->ResetMarkedClick(form->ResetMarked);
  EXPECT_EQ(Marks(), (std::vector<std::int32_t>{0, 0}));
  EXPECT_FALSE(form->ResetMarked->isEnabled());
  EXPECT_TRUE(form->Save->isEnabled());

  form->ImageList().SetMark(1, 1);
  form->SaveClick();
  form->orderRandom->setChecked(true);
  EXPECT_EQ(Marks(), (std::vector<std::int32_t>{0, 0}));
  EXPECT_TRUE(form->Save->isEnabled());
  EXPECT_TRUE(form->Reload->isEnabled());
}

TEST_F(AgentFormTest, StartReturnsToTheLastAppliedEntryWithoutApplying) {
  Open("Trigger Measure=HOURS\r\nTrigger Qty=1\r\n" + LastChange(0), kThree);
  form->Agent().State().LastImageNm = Name(2);
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(desktop.values.empty());

  form->Properties1Click(form->Properties1);
  Select(0);
  form->Agent().State().LastImageNm = "/nowhere.bmp";
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 0);
  EXPECT_TRUE(desktop.values.empty());
}

TEST_F(AgentFormTest, StartReappliesAChangedMethod) {
  Open("Trigger Measure=HOURS\r\nTrigger Qty=1\r\nLastDispStr=TILE\r\n" + LastChange(0),
       {"a.bmp=CENTER.NOT", "b.bmp=TILE.NOT"});
  form->Agent().State().LastImageNm = Name(0);
  form->OKClick(form->OK);
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(desktop.values["TileWallpaper"], "0");
  EXPECT_EQ(form->Agent().State().LastDispStr, "CENTER");
}

}  // namespace
