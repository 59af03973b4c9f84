// tesserine-background: the wallpaper on a Wayland compositor that offers the layer shell, one
// TOutputSurface per output, fed finished pictures through its socket (BackgroundWire.h).
//
// Data flow: the agent asks for the outputs and their sizes, makes each output's picture at
// that size and hands the pictures over in one "show" request; each output fades to its
// picture (or the primary's) in its own buffers. Outputs that come later get the primary's
// picture; an output that goes away frees its buffers. The program ends when the compositor
// goes away.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "background/OutputSurface.h"
#include "background/PictureSocket.h"
#include "background/WaylandGlobals.h"

class TBackground {
 public:
  TBackground() = default;
  ~TBackground();
  TBackground(const TBackground&) = delete;
  TBackground& operator=(const TBackground&) = delete;

  // Connects to $WAYLAND_DISPLAY and makes a surface for each output; false with why in error
  // when there is no compositor or it offers no layer shell.
  bool Connect(std::string& error);
  // Serves the socket until the compositor goes away; the exit code.
  int Run(TPictureSocket& socket);

 private:
  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  static void GlobalRemove(void* data, wl_registry* registry, uint32_t name);

  // The answer to one packet.
  std::string Answer(const std::string& packet, std::vector<int>& files);
  std::string Show(const ShowRequest& request, std::vector<int>& files);
  // Gives new outputs the primary picture and draws the frames that are due; the next time
  // anything is due.
  std::optional<FadeTime> Tick();
  void ArmTimer(int timer, const std::optional<FadeTime>& at) const;

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  WaylandGlobals globals_;
  std::vector<std::pair<uint32_t, wl_output*>> pendingOutputs_;
  std::vector<std::unique_ptr<TOutputSurface>> outputs_;
  std::shared_ptr<TSharedPicture> primary_;
};
