// "Create Shortcut in Startup folder" pressed in the window under each desktop's environment:
// the entry starts the program as at log-in everywhere, and only a desktop that ignores the
// folder's entries adds how to start it there.
#include <gtest/gtest.h>

#include <QPushButton>

#include "support/FileBytes.h"
#include "window/FormFixture.h"

namespace {

class StartupEntryButtonTest : public FormTest {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) saved_.push_back(qgetenv(name));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/config"));
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      if (saved_[i].isNull())
        qunsetenv(kVariables[i]);
      else
        qputenv(kVariables[i], saved_[i]);
    }
  }

  static void Put(const char* name, const char* value) {
    if (*value)
      qputenv(name, value);
    else
      qunsetenv(name);
  }

  static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_CURRENT_DESKTOP", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<QByteArray> saved_;
};

TEST_F(StartupEntryButtonTest, TheMessageFollowsTheDesktopAndTheEntryIsAlwaysWritten) {
  const QString added = "\n\nThis desktop does not start programs from that folder";
  const struct {
    const char* currentDesktop;
    const char* display;
    const char* wayland;
    bool told;
  } rows[] = {
      {"GNOME", ":0", "wayland-0", false},
      {"KDE", "", "wayland-0", false},
      {"XFCE", ":0", "", false},
      {"MATE", ":0", "", false},
      {"X-Cinnamon", ":0", "", false},
      {"sway", ":0", "wayland-1", true},
      {"i3", ":0", "", true},
      {"Hyprland", "", "wayland-1", true},
      {"river", "", "wayland-1", true},
      {"", ":0", "", true},
  };
  OpenWith("[Info]\r\n\r\n[Bitmaps]\r\n");
  const std::string entry = (dir.path() + "/config/autostart/Tesserine.desktop").toStdString();
  for (const auto& row : rows) {
    Put("XDG_CURRENT_DESKTOP", row.currentDesktop);
    Put("DISPLAY", row.display);
    Put("WAYLAND_DISPLAY", row.wayland);
    QFile::remove(QString::fromStdString(entry));
    messages.asked.clear();
    form->CreateShortcut->click();
    ASSERT_EQ(messages.asked.size(), 1u) << row.currentDesktop;
    EXPECT_EQ(messages.asked[0].text.contains(added), row.told) << row.currentDesktop << " " << row.display;
    EXPECT_TRUE(messages.asked[0].text.startsWith("Tesserine should automatically run")) << row.currentDesktop;
    EXPECT_NE(ReadFileBytes(entry).find(" --login\n"), std::string::npos) << row.currentDesktop;
  }
}

}  // namespace
