// Control of the running program from outside it: the commands a keyboard shortcut, a script
// or a status bar gives (through the command line or straight over D-Bus), as a small
// interface the main window implements. TControlService puts it on the session bus;
// CallRunningProgram is the other end, used by the command line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// The names on the session bus.
inline constexpr const char* kControlService = "org.tesserine.Tesserine";
inline constexpr const char* kControlPath = "/org/tesserine/Tesserine";
inline constexpr const char* kControlInterface = "org.tesserine.Tesserine1";
// The error replies of a command that was not done, one per TRemoteRefusal::Reason.
inline constexpr const char* kBusyError = "org.tesserine.Tesserine1.Error.Busy";
inline constexpr const char* kAgentNotRunningError = "org.tesserine.Tesserine1.Error.AgentNotRunning";
inline constexpr const char* kFailedError = "org.tesserine.Tesserine1.Error.Failed";

struct TRemoteStatus {
  // The image the program last made the wallpaper, and its method's text code.
  std::string image;
  std::string method;
  bool agentRunning = false;
  bool paused = false;
  // The colour scheme followed and where it was read, as --status prints it.
  std::string scheme{};

  bool operator==(const TRemoteStatus&) const = default;
};

// Why a command was not done; the text is what the command line prints.
class TRemoteRefusal : public std::runtime_error {
 public:
  enum class Reason {
    Busy,             // a menu or a question is open, or the configuration loads
    AgentNotRunning,  // pausing and resuming need the agent
    Failed,           // the command was tried and failed; the text says why
  };
  TRemoteRefusal(Reason reason, const std::string& text) : std::runtime_error(text), reason_(reason) {}
  Reason GetReason() const { return reason_; }

 private:
  Reason reason_;
};

class IRemoteControl {
 public:
  virtual ~IRemoteControl() = default;
  // Each throws TRemoteRefusal when the command is not done.
  virtual void RemoteNext() = 0;
  // Shows the wallpaper shown before the current one.
  virtual void RemotePrevious() = 0;
  virtual void RemotePause() = 0;
  virtual void RemoteResume() = 0;
  virtual void RemoteTogglePause() = 0;
  // True when the entry was removed, false when the user declined.
  virtual bool RemoteRemoveCurrent() = 0;
  virtual void RemoteShow() = 0;
  virtual void RemoteQuit() = 0;
  // Shows the picture at the absolute path file now, joining the list first when it is not
  // in it; refused as Failed, the list unchanged, when it is no picture the list can keep.
  virtual void RemoteSet(const std::string& file) = 0;
  // Adds pictures and watched folders (absolute paths): one line for each path refused,
  // naming it and why; the others are added all the same.
  virtual std::vector<std::string> RemoteAdd(const std::vector<std::string>& paths) = 0;
  // The properties window, as RemoteShow, with the pictures at files (absolute paths) added
  // as the Add dialog adds them, unsaved; the window names the files it refused in a box.
  virtual void RemoteOpen(const std::vector<std::string>& files) = 0;
  virtual TRemoteStatus RemoteStatus() const = 0;
};
