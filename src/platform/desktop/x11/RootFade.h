// A fade of the X root from what it shows to a new picture of the root's size. The new
// picture crosses the connection once, into the final pixmap; each frame is blended on the
// server with RENDER, the new picture composited at a constant alpha over one of two frame
// pixmaps that both start as the old picture (NextFadeStep), shown as the root's background
// and named by _XROOTPMAP_ID, so that compositors show it too. Frames are steps of this thread's event loop, paced to
// the fastest monitor's RandR mode rate and never more than 60 a second. The last step shows the final pixmap exactly
// as a change at once would (both properties name it, its connection retained when closed) and frees everything else
// the fade made. A fade asked for while one runs starts from the frame that shows; another program that sets the root
// meanwhile ends the fade, leaving the root to it.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TRootFade {
 public:
  // An empty display name means $DISPLAY.
  explicit TRootFade(std::string displayName);
  // Lands a running fade on its final frame.
  ~TRootFade();
  TRootFade(const TRootFade&) = delete;
  TRootFade& operator=(const TRootFade&) = delete;

  // Starts fading to picture (the root's size) over duration and returns the final pixmap's
  // id; 0, with the root as it was, when this root cannot fade: the server has no RENDER,
  // the root shows no pixmap of its size and depth to start from, or the root's size is not
  // the picture's. Throws TDesktopError when the display cannot be opened or the server
  // refuses the picture.
  unsigned long Start(const QImage& picture, std::chrono::milliseconds duration);
  bool Running() const { return server_ != nullptr; }
  // Shows the final frame at once.
  void Finish();
  // done runs once when no fade runs: at once when none runs.
  void WhenDone(std::function<void()> done);
  // Frames shown by the fades so far, the final ones included.
  int FramesShown() const { return frames_; }

 private:
  struct Server;

  // Opens the connection and makes the fade's pixmaps; false when this root cannot fade.
  bool Open(QSize size);
  void Step();
  void Land();
  // Ends the fade without touching the root again; the server frees all it made.
  void Abandon();
  void Close(bool retainFinal);

  std::string displayName_;
  std::unique_ptr<Server> server_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::chrono::milliseconds duration_{0};
  std::vector<std::function<void()>> done_;
  int frames_ = 0;
};
