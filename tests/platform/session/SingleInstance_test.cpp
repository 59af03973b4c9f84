// The instance lock: one holder per display, released with its holder.
#include "platform/session/SingleInstance.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <atomic>
#include <thread>

#include "platform/dialogs/MessageBoxes.h"
#include "support/ScriptedMessageBoxes.h"

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
  auto first = std::make_unique<TSingleInstance>();
  ASSERT_TRUE(first->TryAcquire(":5"));
  TSingleInstance second;
  EXPECT_FALSE(second.TryAcquire(":5"));
  TSingleInstance otherDisplay;
  EXPECT_TRUE(otherDisplay.TryAcquire(":6"));
  first.reset();
  EXPECT_TRUE(second.TryAcquire(":5"));
}

// A command asks whether a program runs while one may be starting: asking must never make
// the start fail, however often it happens.
TEST(SingleInstance, AskingWhetherItIsHeldNeverTakesIt) {
  EXPECT_FALSE(TSingleInstance::IsHeld(":7"));
  std::atomic<bool> done = false;
  std::thread asker([&done] {
    while (!done) TSingleInstance::IsHeld(":7");
  });
  int refused = 0;
  for (int i = 0; i < 2000; ++i) {
    TSingleInstance start;
    if (!start.TryAcquire(":7")) ++refused;
  }
  done = true;
  asker.join();
  EXPECT_EQ(refused, 0);
  TSingleInstance holder;
  ASSERT_TRUE(holder.TryAcquire(":7"));
  EXPECT_TRUE(TSingleInstance::IsHeld(":7"));
  EXPECT_FALSE(TSingleInstance::IsHeld(":8"));
}

TEST(SingleInstance, LockLivesInTheRuntimeFolderNamedAfterTheDisplay) {
  const std::string path = TSingleInstance::LockPath("host:10.0/../x");
  EXPECT_EQ(QFileInfo(QString::fromStdString(path)).absolutePath(), qEnvironmentVariable("XDG_RUNTIME_DIR"));
  EXPECT_EQ(QFileInfo(QString::fromStdString(path)).fileName(), "tesserine-host_10.0_.._x.lock");
}

TEST(ApplicationErrors, ExceptionLeavingHandlerIsShownAndTheProgramGoesOn) {
  TScriptedMessageBoxes messages;
  EXPECT_FALSE(DeliverGuarded([]() -> bool { throw std::runtime_error("Bitmap image is not valid"); }, messages));
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Bitmap image is not valid");
  EXPECT_EQ(messages.asked[0].kind, MsgKind::Error);
  EXPECT_TRUE(DeliverGuarded([] { return true; }, messages));
  EXPECT_EQ(messages.asked.size(), 1u);
}

// A unit's start (often WAYLAND_DISPLAY alone), the compositor's start (both), and the ways
// one display is written, each keyed to one lock.
TEST(SingleInstance, EachWayOfNamingADisplayHasOneKey) {
  struct Row {
    const char* x11;
    const char* wayland;
    const char* runtime;
    const char* key;
  };
  const Row rows[] = {
      {"", "wayland-1", "/run/user/1000", "wayland-1"},
      {":0", "wayland-1", "/run/user/1000", "wayland-1"},
      {":1", "wayland-1", "/run/user/1000", "wayland-1"},
      {"", "/run/user/1000/wayland-1", "/run/user/1000", "wayland-1"},
      {":0", "/run/user/1000/wayland-1", "/run/user/1000/", "wayland-1"},
      {"", "/run/user/10000/wayland-1", "/run/user/1000", "/run/user/10000/wayland-1"},
      {"", "/elsewhere/wayland-1", "/run/user/1000", "/elsewhere/wayland-1"},
      {":0", "", "/run/user/1000", ":0"},
      {":0.0", "", "", ":0"},
      {"unix:0.1", "", "", ":0"},
      {"localhost:10.0", "", "", "localhost:10"},
      {"", "", "/run/user/1000", "none"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(TSingleInstance::DisplayKey(row.x11, row.wayland, row.runtime), row.key)
        << row.x11 << " | " << row.wayland << " | " << row.runtime;
  EXPECT_EQ(TSingleInstance::LockPath(TSingleInstance::DisplayKey("", "wayland-1", "")),
            TSingleInstance::LockPath(TSingleInstance::DisplayKey(":0", "wayland-1", "")));
}
