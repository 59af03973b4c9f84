// The window program's entry: the single-instance guard, the splash, the main window and its
// D-Bus interface, the message loop, and the end of the run (FormDestroy saves when no close
// path did). The command line is the front end's (CommandMain.cpp).
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QSessionManager>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "agent/RandomSource.h"
#include "agent/StartPicture.h"
#include "app/LoggedMessageBoxes.h"
#include "app/TerminationSignals.h"
#include "app/TesserineApplication.h"
#include "config/BigIni.h"
#include "config/ConfigFileName.h"
#include "platform/desktop/ColorSchemeWatch.h"
#include "platform/desktop/PlatformLoader.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/session/BusConnection.h"
#include "platform/session/ControlService.h"
#include "platform/session/SingleInstance.h"
#include "platform/system/Clock.h"
#include "platform/system/DetachedStarter.h"
#include "platform/system/ProgramPath.h"
#include "widgets/ProgramIcons.h"
#include "widgets/QtAddDialog.h"
#include "window/SplashScreen.h"
#include "window/Tessel.h"

namespace {

// The window program's application object, with widgets.
using TTesserineApplication = TGuardedApplication<QApplication>;

// Top-left corner of the "already running" box: half the screen, 50 pixels lower.
QPoint AlreadyRunningPlace(QSize screen) {
  return {static_cast<int>(std::nearbyint(screen.width() * 0.5)),
          static_cast<int>(std::nearbyint(screen.height() * 0.5)) + 50};
}

// Lets desktops show the installed menu entry's icon on the windows, or the tray's.
void SetProgramIcon() {
  QGuiApplication::setWindowIcon(
      QIcon::fromTheme("org.tesserine.Tesserine", QIcon(QPixmap::fromImage(DrawTrayIcon(TrayState::Running)))));
}

// An agent start decodes the picture its load will select while the window is built, on a
// thread of its own; the screen and the desktop are read here, the file there.
std::unique_ptr<TPictureAhead> StartPictureAhead(const std::string& configFile, const std::string& folder,
                                                 const IScreenMetrics& screen, IDesktopWallpaper& desktop) {
  TStartScreen start{screen.ScreenSize(), screen.Monitors(), desktop.DrawsFromMemory(), desktop.GetValue("Wallpaper")};
  return std::make_unique<TPictureAhead>([configFile, folder, start = std::move(start)] {
    return StartPicture(TBigIniFile(configFile), {std::string(), FolderWithoutSlash(folder), 0}, start);
  });
}

// openFiles: pictures to open in the window shown.
int RunProgram(int argc, char** argv, bool showWindow, bool login, const std::vector<std::string>& openFiles) {
  TTerminationSignals::HoldBack();
  const std::unique_ptr<IMessageBoxes> messages = CreateMessageBoxes();
  TTesserineApplication app(argc, argv, *messages);
  QCoreApplication::setApplicationName("Tesserine");
  QGuiApplication::setQuitOnLastWindowClosed(false);
  // Lets desktops match the windows to the installed menu entry.
  QGuiApplication::setDesktopFileName("org.tesserine.Tesserine");
  // exit, not quit: quit would first send every window a close command, and an exit that
  // passes through no close command must not ask anything. exit also ends a box's own loop.
  const auto terminate = [] { QCoreApplication::exit(0); };
  std::unique_ptr<IDesktopWallpaper> desktop;
  std::unique_ptr<TTesselForm1> form;
  TTerminationSignals termination;
  // A termination request lands a fade on its final picture at once.
  QObject::connect(&termination, &TTerminationSignals::Terminate, &app, [&form, &desktop, terminate] {
    if (form) form->SetTerminating(true);
    if (desktop) desktop->FinishFade();
    terminate();
  });

  TQtScreenMetrics screen;
  TSingleInstance guard;
  while (!guard.TryAcquire(TSingleInstance::CurrentDisplay())) {
    // Two ways of starting at log-in may both run: the one that comes second ends unseen.
    if (login) return 0;
    SetProgramIcon();
    messages->Show("Tesserine is already running", MsgKind::Information, MsgButtons::Ok,
                   AlreadyRunningPlace(screen.LogicalScreenSize()));
    return 0;
  }

  const std::string& executable = ProgramPath();
  const std::string folder = ProgramFolder(executable);
  const std::string configFile = folder + IniFileNameOf(executable);
  desktop = CreateDesktopWallpaper();
  std::unique_ptr<TPictureAhead> ahead;
  if (!showWindow) ahead = StartPictureAhead(configFile, folder, screen, *desktop);
  SetProgramIcon();
  auto splash = std::make_unique<TSplashScreen>();
  splash->ShowAndPaint();

  std::unique_ptr<IScreenSaverState> screenSaver = CreateScreenSaverState();
  TSystemClock clock;
  TClockSeededRandom random;
  TQtAddDialog addDialog;
  TDetachedStarter processes;
  try {
    form = std::make_unique<TTesselForm1>(TFormServices{*messages, screen, *desktop, *screenSaver, clock, random,
                                                        addDialog, processes, folder, configFile});
  } catch (const std::exception& error) {
    messages->Show(QString::fromLocal8Bit(error.what()), MsgKind::Error, MsgButtons::Ok);
    return 1;
  }
  form->Agent().ExpectPicture(std::move(ahead));
  form->SetTerminating(termination.Requested());
  if (showWindow) form->StartWithWindow();
  // A close path ends the run once the wallpaper has faded in: a one-shot agent ends after its fade.
  QObject::connect(
      form.get(), &TTesselForm1::TerminateRequested, &app, [&desktop, terminate] { desktop->WhenFadeDone(terminate); },
      Qt::QueuedConnection);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, form.get(),
                   [&form](QSessionManager&) { form->SessionEnd(); });

  // Commands from outside reach the window from here on; while it loads they hear "busy".
  auto control = std::make_unique<TControlService>(form->Remote());
  std::string why;
  if (control->Register(&why) == TControlService::Registration::Refused)
    std::fprintf(stderr, "tesserine: runs without its D-Bus interface: %s\n", why.c_str());
  form->Agent().OnStatusChanged = [&control] { control->StatusChanged(); };
  // The colour scheme is read without waiting; the portal's answer comes later, as a change.
  TColorSchemeWatch scheme;
  form->Agent().StartFollowingScheme(scheme.Current());
  scheme.OnChanged = [&form](const TSchemeReading& reading) { form->Agent().FollowScheme(reading); };

  form->show();
  try {
    // As the running program opens them for a file manager; the load is done, so nothing is busy.
    if (!openFiles.empty()) form->Remote().RemoteOpen(openFiles);
  } catch (const TRemoteRefusal& refusal) {
    std::fprintf(stderr, "tesserine: %s\n", refusal.what());
  }
  if (form->StartMinimized()) form->OKClick(form->OK);
  splash.reset();

  // exec forgets an exit asked for before it runs (during the load's message processing, or
  // while a box of the start-up was open): such a request ends the loop as soon as it runs.
  if (termination.Requested()) QMetaObject::invokeMethod(&app, terminate, Qt::QueuedConnection);
  const int result = QCoreApplication::exec();
  form->Agent().OnStatusChanged = nullptr;
  scheme.OnChanged = nullptr;
  control.reset();
  form->FormDestroy();
  form.reset();
  return result;
}

}  // namespace

// Started by the "tesserine" front end (CommandMain.cpp) for a start, with "--show" when a
// command asked for the window of a program that was not running (after it, pictures to
// open), or "--login" for a start at log-in.
int main(int argc, char** argv) {
  KeepToTheSessionsOwnBus();
  TakeProgramPath();
  const bool showWindow = argc > 1 && std::strcmp(argv[1], "--show") == 0;
  const bool login = argc > 1 && std::strcmp(argv[1], "--login") == 0;
  // After "--show", the absolute names of pictures to open.
  const std::vector<std::string> openFiles(argv + (showWindow ? 2 : argc), argv + argc);
  return RunProgram(argc, argv, showWindow, login, openFiles);
}
