// One output's background: a layer surface on the background layer anchored to every edge
// (exclusive zone -1, no keyboard), its buffers at the output's size in device pixels (the
// mode through wp_viewporter, or the fractional scale where offered), and the fade from what
// it shows to a new picture. Frames are drawn when the compositor's frame callback says the
// last one was shown, no more than 60 a second; without callbacks (a hidden output) the fade
// lands on the final frame when its time is up. Once a fade is over only the buffer on the
// screen stays, unmapped.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "background/FadeClock.h"
#include "background/SharedPicture.h"
#include "background/ShmBuffer.h"
#include "background/WaylandGlobals.h"

class TOutputSurface {
 public:
  TOutputSurface(const WaylandGlobals& globals, std::uint32_t globalName, wl_output* output);
  ~TOutputSurface();
  TOutputSurface(const TOutputSurface&) = delete;
  TOutputSurface& operator=(const TOutputSurface&) = delete;

  std::uint32_t GlobalName() const { return globalName_; }
  // The compositor's name for the output, or "wl_output-<global>" while it gave none.
  std::string Name() const;
  // Configured, with a size in device pixels.
  bool Ready() const;
  int Width() const;
  int Height() const;
  // Ready, but none of our pictures shows yet.
  bool NeedsPicture() const { return Ready() && !shown_; }

  // Shows the picture (stretched when its size is not the output's): faded from what shows
  // over fade, at once for no fade or when none of ours shows at this size. False with why in
  // error when its memory cannot be had; what shows then stays.
  bool Show(std::shared_ptr<TSharedPicture> picture, std::chrono::milliseconds fade, FadeTime now, std::string& error);
  bool Fading() const { return fading_; }
  // The last picture asked for, kept for a new size; null before the first.
  const std::shared_ptr<TSharedPicture>& Picture() const { return picture_; }
  // Draws the frame that is due; the time it wants to be asked again, nullopt when no fade runs.
  std::optional<FadeTime> Tick(FadeTime now);
  int Frames() const { return frames_; }

 private:
  static void Geometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                       int32_t transform);
  static void Mode(void*, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t);
  static void Done(void*, wl_output*);
  static void Scale(void*, wl_output*, int32_t factor);
  static void OutputName(void*, wl_output*, const char* name);
  static void Description(void*, wl_output*, const char*);
  static void XdgName(void*, zxdg_output_v1*, const char* name);
  static void Configure(void*, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height);
  static void Closed(void*, zwlr_layer_surface_v1*);
  static void PreferredScale(void*, wp_fractional_scale_v1*, uint32_t scale);
  static void FrameDone(void*, wl_callback*, uint32_t);

  // A buffer of the current size that the compositor does not read; nullptr when none can be had.
  TShmBuffer* FreeBuffer();
  void Present(TShmBuffer* buffer, bool wantFrame);
  // Shows the new picture exactly and drops what the fade needed.
  void Land();
  // The new picture's pixel rows: the shared picture itself, or its stretched copy.
  const std::uint32_t* Target(std::size_t& stride);
  void DestroySurface();

  WaylandGlobals globals_;
  std::uint32_t globalName_;
  wl_output* output_;
  zxdg_output_v1* xdgOutput_ = nullptr;
  std::string name_;
  int modeWidth_ = 0;
  int modeHeight_ = 0;
  int32_t transform_ = 0;
  int32_t scale_ = 1;
  uint32_t fractional120_ = 0;

  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  wp_viewport* viewport_ = nullptr;
  wp_fractional_scale_v1* fraction_ = nullptr;
  int logicalWidth_ = 0;
  int logicalHeight_ = 0;
  bool configured_ = false;

  std::vector<std::unique_ptr<TShmBuffer>> buffers_;
  TShmBuffer* shown_ = nullptr;
  std::shared_ptr<TSharedPicture> picture_;  // the last picture asked for, kept unmapped

  bool fading_ = false;
  std::vector<std::uint32_t> from_;
  std::vector<std::uint32_t> stretched_;
  FadeTime start_{};
  std::chrono::milliseconds duration_{0};
  FadeTime lastFrame_{};
  wl_callback* frame_ = nullptr;
  int frames_ = 0;
};
