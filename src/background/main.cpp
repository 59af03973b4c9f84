// tesserine-background [--version]: draws the wallpaper that the agent hands it on the Wayland
// display of $WAYLAND_DISPLAY until the compositor goes away. Exit codes: 0 when the
// compositor went away, 2 when it cannot show a wallpaper there (no compositor, no layer
// shell, no runtime folder), 3 when another one already runs for this display.
#include <malloc.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "background/Background.h"
#include "background/BackgroundWire.h"
#include "background/PictureSocket.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("tesserine-background 1.0");
    return 0;
  }
  std::signal(SIGPIPE, SIG_IGN);
  // A fixed threshold keeps every picture-sized block in memory of its own, given back to the
  // system when it is freed; glibc would otherwise raise the threshold after the first such
  // block and keep the next ones in its heap, resident after every fade.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  if (!runtime || !*runtime) {
    std::fputs("tesserine-background: XDG_RUNTIME_DIR is not set\n", stderr);
    return 2;
  }
  std::string error;
  TPictureSocket socket;
  const TPictureSocket::LockResult lock =
      socket.Lock(SocketPath(runtime, display && *display ? display : "wayland-0"), error);
  if (lock != TPictureSocket::LockResult::Locked) {
    std::fprintf(stderr, "tesserine-background: %s\n", error.c_str());
    return lock == TPictureSocket::LockResult::HeldByAnother ? 3 : 2;
  }
  TBackground background;
  if (!background.Connect(error) || !socket.Listen(error)) {
    std::fprintf(stderr, "tesserine-background: %s\n", error.c_str());
    return 2;
  }
  return background.Run(socket);
}
