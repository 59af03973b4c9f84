#include "app/OneCommandRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "agent/Agent.h"
#include "agent/AgentFolders.h"
#include "agent/AgentRemote.h"
#include "agent/RandomSource.h"
#include "agent/UnattendedView.h"
#include "app/OneCommand.h"
#include "app/RemoteCommand.h"
#include "app/TerminationSignals.h"
#include "app/TesserineApplication.h"
#include "config/BigIni.h"
#include "config/ConfigFileName.h"
#include "platform/desktop/ColorSchemeWatch.h"
#include "platform/desktop/PlatformLoader.h"
#include "platform/dialogs/StderrMessages.h"
#include "platform/screen/ScreenMetrics.h"
#include "platform/session/SingleInstance.h"
#include "platform/system/Clock.h"
#include "platform/system/DetachedStarter.h"
#include "platform/system/ProgramPath.h"
#ifdef TESSERINE_HAVE_X11
#include "platform/screen/X11ScreenMetrics.h"
#endif

namespace {

// How long an --add waits for its folders' first reading; what is not read by then joins at
// the next start.
constexpr int kFolderReadMs = 30000;

// What the window owns for the agent, held by the run itself.
struct TOneCommandParts {
  explicit TOneCommandParts(const std::string& configFile) : ini(configFile) {}

  TBigIniFile ini;
  TSettings settings;
  TImageList list;
  TPictureCache pictures;
  TCompositionCache compositions;
  // There is no window to show a busy pointer on.
  TBusyCursor busy{[](bool) {}};
};

bool HasDarkPartners(const TImageList& list) {
  for (int i = 0; i < list.Count(); ++i)
    if (!list.At(i).dark.empty()) return true;
  return false;
}

// The run once the lock is held: the load, the command, what it changed written, the fade
// awaited, and the file brought up to date with what the watched folders' listings changed
// meanwhile.
int LoadAndDo(const TCommandLine& line, IMessageBoxes& messages, IDesktopWallpaper& desktop, IScreenMetrics& screen,
              const std::function<void()>& terminate) {
  const std::string& executable = ProgramPath();
  const std::string folder = ProgramFolder(executable);
  const std::string configFile = folder + IniFileNameOf(executable);
  const std::unique_ptr<IScreenSaverState> screenSaver = CreateScreenSaverState();
  TSystemClock clock;
  TClockSeededRandom random;
  TDetachedStarter processes;
  TUnattendedView view(messages, terminate);
  TOneCommandParts parts(configFile);
  TAgent agent(
      TAgentWorld{desktop, screen, *screenSaver, clock, random, processes, folder, configFile},
      TAgentParts{parts.settings, parts.list, parts.ini, parts.pictures, parts.compositions, parts.busy, view});
  TAgentRemote remote(agent, view);
  // The run shows no window: pictures are decoded for the desktop alone.
  agent.RunUnseen();
  agent.BeginRun();
  const auto take = [&parts](const TSettings& loaded) { parts.settings = loaded; };
  agent.Load({take, take, [] {}});
  if (HasDarkPartners(parts.list)) {
    // The command's picture follows the colour scheme, which only an entry with a dark partner
    // shows: the portal's answer is awaited, which its call's short time-out bounds.
    const TColorSchemeWatch scheme;
    while (scheme.Asking()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    agent.TakeScheme(scheme.Current());
  }
  int exitCode = DoOneCommand(remote, line);
  if (*line.command == ControlCommand::Add) {
    // The folders are read before the run ends, so a folder the command watches has its
    // pictures in the file too, files still being written included once they settle.
    const QDeadlineTimer deadline(kFolderReadMs);
    while (agent.Folders().Reading() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  }
  const std::string unstored = agent.Run(FailureRoute::Caller, [&agent] { agent.StoreJoined({}); });
  if (!unstored.empty()) {
    std::fprintf(stderr, "%s\n", unstored.c_str());
    exitCode = 1;
  }
  // Queued, so that an end the fade gives at once comes when the loop runs.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [&desktop, terminate] { desktop.WhenFadeDone(terminate); }, Qt::QueuedConnection);
  QCoreApplication::exec();
  if (!agent.Run(FailureRoute::Box, [&parts] { parts.ini.UpdateFile(); }).empty()) exitCode = 1;
  return exitCode;
}

// On an X display the run asks the server for the screen itself: starting Qt's platform
// integration (its plugin and the twenty libraries that one loads) would take longer than the
// change it serves. Elsewhere, and where Qt is told to use another platform, Qt's screens.
bool ScreenFromXServer() {
#ifdef TESSERINE_HAVE_X11
  const PlatformEnvironment environment = CurrentEnvironment();
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  return environment.x11Display && !environment.waylandDisplay && (platform.isEmpty() || platform == "xcb");
#else
  return false;
#endif
}

std::unique_ptr<IScreenMetrics> CreateScreenMetrics(bool fromXServer) {
#ifdef TESSERINE_HAVE_X11
  if (fromXServer) return std::make_unique<TX11ScreenMetrics>();
#endif
  return std::make_unique<TQtScreenMetrics>();
}

std::unique_ptr<QCoreApplication> CreateApplication(bool fromXServer, int& argc, char** argv, IMessageBoxes& messages) {
  if (fromXServer) return std::make_unique<TTesserineCoreApplication>(argc, argv, messages);
  auto app = std::make_unique<TTesserineGuiApplication>(argc, argv, messages);
  QGuiApplication::setQuitOnLastWindowClosed(false);
  return app;
}

}  // namespace

int RunOneCommand(int argc, char** argv, const TCommandLine& line) {
  TTerminationSignals::HoldBack();
  TStderrMessages messages;
  const bool fromXServer = ScreenFromXServer();
  const std::unique_ptr<QCoreApplication> app = CreateApplication(fromXServer, argc, argv, messages);
  QCoreApplication::setApplicationName("Tesserine");
  const auto terminate = [] { QCoreApplication::exit(0); };
  std::unique_ptr<IDesktopWallpaper> desktop;
  TTerminationSignals termination;
  // A termination request lands a fade on its final picture at once.
  QObject::connect(&termination, &TTerminationSignals::Terminate, app.get(), [&desktop, terminate] {
    if (desktop) desktop->FinishFade();
    terminate();
  });

  TSingleInstance guard;
  while (!guard.TryAcquire(TSingleInstance::CurrentDisplay())) {
    // A program started since the command asked: the command goes to it after all.
    const TCommandResult result = AskRunningProgram(*line.command, line.paths);
    if (result.runHere) continue;
    std::fputs(qPrintable(result.out), stdout);
    std::fputs(qPrintable(result.err), stderr);
    return result.exitCode;
  }
  desktop = CreateDesktopWallpaper();
  int exitCode = 1;
  try {
    const std::unique_ptr<IScreenMetrics> screen = CreateScreenMetrics(fromXServer);
    exitCode = LoadAndDo(line, messages, *desktop, *screen, terminate);
  } catch (const std::exception& error) {
    messages.Show(QString::fromLocal8Bit(error.what()), MsgKind::Error, MsgButtons::Ok);
  }
  // The desktop's connections end here, their last requests sent. The process then ends
  // without tearing down the platform integration: its font database, never used by this
  // run, would load the whole font configuration only to free it.
  desktop.reset();
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
