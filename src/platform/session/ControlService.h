// The running program's D-Bus interface: org.tesserine.Tesserine1 on the object
// /org/tesserine/Tesserine under the session-bus name org.tesserine.Tesserine. Each method
// hands its command to the IRemoteControl the window implements and answers when it is done;
// a command that is not done becomes an error reply naming why (Busy, AgentNotRunning,
// Failed). The properties show the window's status; PropertiesChanged follows StatusChanged.
// Set and Add take paths: the session bus is the user's own, so a caller can make the
// program read only the files the user could name anyway, and nothing is written but the
// configuration.
#pragma once

#include <memory>
#include <string>

#include "platform/session/RemoteControl.h"

class TControlObject;

class TControlService {
 public:
  // busAddress empty: the session bus.
  explicit TControlService(IRemoteControl& control, const std::string& busAddress = {});
  ~TControlService();
  TControlService(const TControlService&) = delete;
  TControlService& operator=(const TControlService&) = delete;

  enum class Registration { Done, NoBus, Refused };
  // Exports the object and owns the name; Refused, with why in one line, when another
  // program owns the name or the object cannot be exported.
  Registration Register(std::string* why);
  // The window's status may have changed: the properties that did are announced.
  void StatusChanged();

 private:
  std::unique_ptr<TControlObject> object_;
};
