// The real program as agent on an X display: its tray icon docks in a tray host (trayer),
// the root window's wallpaper follows the configured order, auto-close ends the run with
// the last change written, and a running screen saver holds the change back.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ProgramRun.h"
#include "support/WaitFor.h"

// Xlib's macros clash with Qt's names, so its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The main window's caption while the agent runs without a tray.
constexpr const char* kNoTrayCaption = "Tesserine agent (no system tray: restore to change the settings)";

constexpr unsigned long kStartColor = 0xFF00FF;
const char* const kColors[] = {"red", "green", "blue"};
constexpr unsigned long kPixels[] = {0xFF0000, 0x00FF00, 0x0000FF};

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

std::string TextProperty(Display* display, Window window, Atom name) {
  XTextProperty property{};
  std::string result;
  if (XGetTextProperty(display, window, &property, name) && property.value)
    result.assign(reinterpret_cast<const char*>(property.value), property.nitems);
  if (property.value) XFree(property.value);
  return result;
}

// _NET_WM_NAME where set (Qt leaves WM_NAME of its tray icon empty), else WM_NAME.
std::string WindowName(Display* display, Window window) {
  const std::string name = TextProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False));
  return name.empty() ? TextProperty(display, window, XA_WM_NAME) : name;
}

std::vector<Window> Children(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
    result.assign(children, children + count);
    XFree(children);
  }
  return result;
}

// A window named name somewhere below window, or 0.
Window FindDescendant(Display* display, Window window, const std::string& name) {
  for (Window child : Children(display, window)) {
    if (WindowName(display, child) == name) return child;
    if (const Window found = FindDescendant(display, child, name)) return found;
  }
  return 0;
}

// Moves the pointer into window and clicks its left button, as a person would.
bool ClickInto(Window window, int x, int y) {
  return QProcess::execute("xdotool", {"mousemove", "--window", QString::number(window), QString::number(x),
                                       QString::number(y), "click", "1"}) == 0;
}

// The value of a window-list property of window.
std::vector<Window> WindowList(Display* display, Window window, const char* property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<Window> result;
  if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 4096, False, XA_WINDOW, &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* windows = reinterpret_cast<const Window*>(data);
    result.assign(windows, windows + count);
  }
  if (data) XFree(data);
  return result;
}

class AgentRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("DISPLAY")) GTEST_SKIP() << "needs an X display";
    display.reset(XOpenDisplay(nullptr));
    ASSERT_TRUE(display);
    root = DefaultRootWindow(display.get());
    ASSERT_TRUE(CopyProgram(dir.filePath("tesserine")));
    for (int i = 0; i < 3; ++i) {
      QImage picture(16, 16, QImage::Format_RGB32);
      picture.fill(QColor::fromRgb(static_cast<QRgb>(kPixels[i])));
      ASSERT_TRUE(picture.save(Picture(i), "BMP"));
    }
    // A known colour on the root, so that the first change can be told from a leftover.
    XSetWindowBackground(display.get(), root, kStartColor);
    XClearWindow(display.get(), root);
    XSync(display.get(), False);
  }

  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.kill();
      program.waitForFinished();
    }
    StopTray();
    if (windowManager.state() != QProcess::NotRunning) {
      windowManager.terminate();
      windowManager.waitForFinished();
    }
    if (display) {
      XForceScreenSaver(display.get(), ScreenSaverReset);
      XSync(display.get(), False);
    }
  }

  QString Picture(int i) const { return dir.filePath(QString(kColors[i]) + ".bmp"); }
  QString IniPath() const { return dir.filePath("tesserine.INI"); }

  void WriteIni(const QByteArray& info) {
    QByteArray text =
        "[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nDisplay Order=SEQUENTIAL\r\nSortImages=0\r\n" + info +
        "\r\n[Bitmaps]\r\n";
    for (int i = 0; i < 3; ++i) text += Picture(i).toUtf8() + "=TILE.NOT\r\n";
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }

  QByteArray IniText() const {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QByteArray MessageLog() const {
    QFile file(dir.filePath("messages.log"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  bool TrayHostRunning() {
    const Atom selection = XInternAtom(display.get(), "_NET_SYSTEM_TRAY_S0", False);
    return XGetSelectionOwner(display.get(), selection) != None;
  }

  void StartTray() {
    // A narrow panel at the top right corner, away from the pixels read below.
    tray.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "60", "--height",
                          "20", "--SetDockType", "true"});
    ASSERT_TRUE(tray.waitForStarted());
    ASSERT_TRUE(WaitFor([this] { return TrayHostRunning(); }, 10000));
  }

  void StopTray() {
    if (tray.state() == QProcess::NotRunning) return;
    tray.terminate();
    tray.waitForFinished();
    WaitFor([this] { return !TrayHostRunning(); }, 5000);
  }

  void StartProgram() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TESSERINE_DESKTOP", "x11");
    environment.insert("TESSERINE_MESSAGE_LOG", dir.filePath("messages.log"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(dir.filePath("tesserine"), {});
    ASSERT_TRUE(program.waitForStarted());
  }

  // Near the bottom left corner: clear of the centred window and of the tray panel.
  unsigned long RootPixel() {
    const int x = 40;
    const int y = DisplayHeight(display.get(), DefaultScreen(display.get())) - 40;
    XImage* image = XGetImage(display.get(), root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  // The distinct root colours seen in turn, until count of them or the time is up.
  std::vector<unsigned long> WatchColours(std::size_t count, int ms) {
    std::vector<unsigned long> seen;
    WaitFor(
        [&] {
          const unsigned long pixel = RootPixel();
          if (pixel != kStartColor && (seen.empty() || seen.back() != pixel)) seen.push_back(pixel);
          return seen.size() >= count;
        },
        ms);
    return seen;
  }

  // Inside a window manager's frame or not.
  bool MainWindowMapped() {
    const Window main = MainWindow();
    XWindowAttributes attributes;
    return main && XGetWindowAttributes(display.get(), main, &attributes) && attributes.map_state == IsViewable;
  }

  // The tray host's panel may sit inside a window manager's frame.
  Window TrayIconWindow() {
    const Window panel = FindDescendant(display.get(), root, "panel");
    return panel ? FindDescendant(display.get(), panel, "Tesserine") : 0;
  }

  bool IconDockedInTray() { return TrayIconWindow() != 0; }

  // The window by its caption, or by the caption it carries while the agent runs without a tray.
  Window MainWindow() {
    const Window window = FindDescendant(display.get(), root, "Tesserine v1.0");
    return window ? window : FindDescendant(display.get(), root, kNoTrayCaption);
  }

  // Clicks a place of the window given at its designed size (528 pixels wide): the window
  // scales its whole arrangement to the font.
  bool ClickDesigned(int x, int y) {
    XWindowAttributes attributes;
    const Window main = MainWindow();
    if (!main || !XGetWindowAttributes(display.get(), main, &attributes)) return false;
    const double scale = attributes.width / 528.0;
    return ClickInto(main, static_cast<int>(x * scale), static_cast<int>(y * scale));
  }

  // Whether the window manager lists the main window among its clients (its taskbar entry).
  bool MainWindowListed() {
    const std::vector<Window> clients = WindowList(display.get(), root, "_NET_CLIENT_LIST");
    const Window main = MainWindow();
    return main && std::find(clients.begin(), clients.end(), main) != clients.end();
  }

  void StartWindowManager() {
    windowManager.start("openbox", {});
    ASSERT_TRUE(windowManager.waitForStarted());
    ASSERT_TRUE(
        WaitFor([this] { return !WindowList(display.get(), root, "_NET_SUPPORTING_WM_CHECK").empty(); }, 10000));
  }

  QTemporaryDir dir;
  std::unique_ptr<Display, DisplayCloser> display;
  Window root = 0;
  QProcess tray;
  QProcess windowManager;
  QProcess program;
};

TEST_F(AgentRunTest, TrayIconDocksAndTheWallpaperFollowsTheOrder) {
  StartTray();
  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  StartProgram();
  // The selection starts on the first entry; the first check moves on from it.
  const std::vector<unsigned long> seen = WatchColours(4, 30000);
  EXPECT_EQ(seen, (std::vector<unsigned long>{kPixels[1], kPixels[2], kPixels[0], kPixels[1]}));
  EXPECT_TRUE(WaitFor([this] { return IconDockedInTray(); }, 20000));
  EXPECT_FALSE(MainWindowMapped());

  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
  const QByteArray ini = IniText();
  EXPECT_TRUE(ini.contains("LastDispStr=TILE\r\n"));
  EXPECT_TRUE(ini.contains("LastChgDateTime="));
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(AgentRunTest, AutoCloseEndsTheRunWithTheLastChangeWritten) {
  StartTray();
  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=5\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n");
  StartProgram();
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(RootPixel(), kPixels[1]);
  const QByteArray ini = IniText();
  EXPECT_TRUE(ini.contains("LastImageNm=" + Picture(1).toUtf8() + "\r\n")) << ini.constData();
  EXPECT_TRUE(ini.contains("LastDispStr=TILE\r\n"));
  EXPECT_TRUE(ini.contains("ExecSinceChg=0\r\n"));
  EXPECT_TRUE(ini.contains("LastChgDateTime="));
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

// Without a session bus, the agent's run and a command beside it start none: libdbus would
// otherwise launch one for the display on the first call (dbus-launch --autolaunch, which
// owns an X selection while it runs) and leave it behind.
TEST_F(AgentRunTest, WithoutASessionBusNoBusIsStarted) {
  QFile machineFile("/etc/machine-id");
  const QByteArray machine = machineFile.open(QIODevice::ReadOnly) ? machineFile.readAll().trimmed() : QByteArray();
  if (machine.isEmpty()) GTEST_SKIP() << "no machine id: no bus could be launched for the display anyway";
  const passwd* user = getpwuid(getuid());
  ASSERT_TRUE(user);
  const QByteArray selection = "_DBUS_SESSION_BUS_SELECTION_" + QByteArray(user->pw_name) + "_" + machine;
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  qunsetenv("XDG_RUNTIME_DIR");
  const auto restore = qScopeGuard([&] {
    if (!runtime.isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime);
  });
  ASSERT_FALSE(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"));

  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=5\r\nAutoClose=1\r\nAutoClose Minutes=0\r\n");
  StartProgram();
  QProcess status;
  status.start(dir.filePath("tesserine"), {"--status"});
  ASSERT_TRUE(status.waitForFinished(20000));
  EXPECT_NE(status.exitCode(), 0) << "a command found a running program without a bus";
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(RootPixel(), kPixels[1]);
  EXPECT_EQ(XGetSelectionOwner(display.get(), XInternAtom(display.get(), selection.constData(), False)), None)
      << "a session bus was launched for the display";
}

TEST_F(AgentRunTest, WithoutATrayTheWindowStaysAndTheScheduleRuns) {
  ASSERT_FALSE(TrayHostRunning()) << "another tray host owns the display";
  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  StartProgram();
  const std::vector<unsigned long> seen = WatchColours(2, 30000);
  EXPECT_EQ(seen, (std::vector<unsigned long>{kPixels[1], kPixels[2]}));
  // No box waits for an answer: the minimised window stays mapped and its caption tells the user.
  EXPECT_TRUE(WaitFor(
      [this] {
        const Window main = FindDescendant(display.get(), root, kNoTrayCaption);
        XWindowAttributes attributes;
        return main && XGetWindowAttributes(display.get(), main, &attributes) && attributes.map_state == IsViewable;
      },
      10000));
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(AgentRunTest, WindowManagerLosesTheWindowWhileTheAgentRuns) {
  StartWindowManager();
  StartTray();
  WriteIni("Trigger Measure=HOURS\r\nTrigger Qty=1\r\nSysTrayClick=0\r\n");
  StartProgram();
  ASSERT_TRUE(WaitFor([this] { return IconDockedInTray(); }, 20000));
  // The window is shown while the configuration loads and hidden when the agent starts; on a
  // busy machine the window manager may drop it from its list only after the icon docked.
  EXPECT_TRUE(WaitFor([this] { return !MainWindowListed() && !MainWindowMapped(); }, 10000));

  // A left click on the tray icon opens the properties: the window and its entry return.
  ASSERT_TRUE(ClickInto(TrayIconWindow(), 5, 5));
  EXPECT_TRUE(WaitFor([this] { return MainWindowListed(); }, 10000));
  EXPECT_FALSE(IconDockedInTray());

  // Start Agent hides them again.
  ASSERT_TRUE(ClickDesigned(370, 364));
  EXPECT_TRUE(WaitFor([this] { return !MainWindowListed() && IconDockedInTray(); }, 10000));
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_TRUE(MessageLog().isEmpty()) << MessageLog().constData();
}

TEST_F(AgentRunTest, WithoutATrayRestoringTheMinimisedWindowEndsTheAgent) {
  ASSERT_FALSE(TrayHostRunning()) << "another tray host owns the display";
  StartWindowManager();
  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  StartProgram();
  EXPECT_EQ(WatchColours(2, 30000), (std::vector<unsigned long>{kPixels[1], kPixels[2]}));
  // Minimised: still the window manager's client, so still reachable.
  EXPECT_TRUE(WaitFor([this] { return MainWindowListed() && !MainWindowMapped(); }, 10000));

  ASSERT_EQ(QProcess::execute("xdotool", {"windowactivate", QString::number(MainWindow())}), 0);
  ASSERT_TRUE(WaitFor([this] { return MainWindowMapped(); }, 10000));
  const unsigned long shown = RootPixel();
  QThread::sleep(3);
  EXPECT_EQ(RootPixel(), shown) << "the agent still changes the wallpaper";
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
}

// Slow by nature: a check that finds the saver running comes back a minute later.
TEST_F(AgentRunTest, RunningScreenSaverHoldsTheChangeBack) {
  XForceScreenSaver(display.get(), ScreenSaverActive);
  XSync(display.get(), False);
  StartTray();
  WriteIni("Trigger Measure=SECONDS\r\nTrigger Qty=1\r\n");
  StartProgram();
  const QString values = dir.filePath("config/tesserine/desktop-values");
  QThread::sleep(4);
  EXPECT_FALSE(QFile::exists(values)) << "changed while the screen saver ran";
  XForceScreenSaver(display.get(), ScreenSaverReset);
  XSync(display.get(), False);
  EXPECT_TRUE(WaitFor([&] { return QFile::exists(values); }, 90000));
  EXPECT_EQ(WatchColours(1, 10000), std::vector<unsigned long>{kPixels[1]});
}

}  // namespace
