#include "background/Background.h"

#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "background/BackgroundWire.h"

namespace {

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

}  // namespace

TBackground::~TBackground() {
  outputs_.clear();
  for (const auto& [name, output] : pendingOutputs_) wl_output_destroy(output);
  if (globals_.xdgOutputs) zxdg_output_manager_v1_destroy(globals_.xdgOutputs);
  if (globals_.fractionalScale) wp_fractional_scale_manager_v1_destroy(globals_.fractionalScale);
  if (globals_.viewporter) wp_viewporter_destroy(globals_.viewporter);
  if (globals_.layerShell) zwlr_layer_shell_v1_destroy(globals_.layerShell);
  if (globals_.shm) wl_shm_destroy(globals_.shm);
  if (globals_.compositor) wl_compositor_destroy(globals_.compositor);
  if (registry_) wl_registry_destroy(registry_);
  if (display_) wl_display_disconnect(display_);
}

void TBackground::Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  auto* self = static_cast<TBackground*>(data);
  WaylandGlobals& g = self->globals_;
  const std::string_view which(interface);
  if (which == wl_compositor_interface.name) {
    g.compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
  } else if (which == wl_shm_interface.name) {
    g.shm = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
  } else if (which == zwlr_layer_shell_v1_interface.name) {
    g.layerShell = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 4);
  } else if (which == wp_viewporter_interface.name) {
    g.viewporter = Bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1);
  } else if (which == wp_fractional_scale_manager_v1_interface.name) {
    g.fractionalScale =
        Bind<wp_fractional_scale_manager_v1>(registry, name, &wp_fractional_scale_manager_v1_interface, version, 1);
  } else if (which == zxdg_output_manager_v1_interface.name && version >= 2) {
    g.xdgOutputs = Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 3);
  } else if (which == wl_output_interface.name) {
    // Its surface is made once every global is known (Connect, then Tick).
    self->pendingOutputs_.emplace_back(name, Bind<wl_output>(registry, name, &wl_output_interface, version, 4));
  }
}

void TBackground::GlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto* self = static_cast<TBackground*>(data);
  std::erase_if(self->outputs_, [name](const std::unique_ptr<TOutputSurface>& o) { return o->GlobalName() == name; });
  std::erase_if(self->pendingOutputs_, [name](const std::pair<uint32_t, wl_output*>& pending) {
    if (pending.first != name) return false;
    wl_output_destroy(pending.second);
    return true;
  });
}

bool TBackground::Connect(std::string& error) {
  display_ = wl_display_connect(nullptr);
  if (!display_) {
    error = "no Wayland compositor answers on $WAYLAND_DISPLAY";
    return false;
  }
  static const wl_registry_listener listener = {&Global, &GlobalRemove};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &listener, this);
  if (wl_display_roundtrip(display_) < 0) {
    error = "the compositor went away";
    return false;
  }
  if (!globals_.compositor || !globals_.shm) {
    error = "the compositor offers no wl_compositor or wl_shm";
    return false;
  }
  if (!globals_.layerShell) {
    error = "the compositor offers no layer shell (zwlr_layer_shell_v1)";
    return false;
  }
  for (const auto& [name, output] : pendingOutputs_)
    outputs_.push_back(std::make_unique<TOutputSurface>(globals_, name, output));
  pendingOutputs_.clear();
  // The outputs' modes and names, then the surfaces' first configure.
  if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
    error = "the compositor went away";
    return false;
  }
  return true;
}

std::optional<FadeTime> TBackground::Tick() {
  const FadeTime now = std::chrono::steady_clock::now();
  // Late outputs, the first of all included, once every global is known.
  for (const auto& [name, output] : pendingOutputs_)
    outputs_.push_back(std::make_unique<TOutputSurface>(globals_, name, output));
  pendingOutputs_.clear();
  std::optional<FadeTime> next;
  for (const std::unique_ptr<TOutputSurface>& output : outputs_) {
    std::string error;
    // An output that was not ready when its picture came shows it now; a new one the primary's.
    if (output->NeedsPicture() && (output->Picture() || primary_))
      output->Show(output->Picture() ? output->Picture() : primary_, std::chrono::milliseconds(0), now, error);
    const std::optional<FadeTime> due = output->Tick(now);
    if (due && (!next || *due < *next)) next = due;
  }
  return next;
}

void TBackground::ArmTimer(int timer, const std::optional<FadeTime>& at) const {
  itimerspec due{};
  if (at) {
    const auto wait =
        std::max<std::chrono::nanoseconds>(std::chrono::nanoseconds(1), *at - std::chrono::steady_clock::now());
    due.it_value.tv_sec = static_cast<time_t>(wait.count() / 1000000000);
    due.it_value.tv_nsec = static_cast<long>(wait.count() % 1000000000);
  }
  timerfd_settime(timer, 0, &due, nullptr);
}

std::string TBackground::Answer(const std::string& packet, std::vector<int>& files) {
  std::string error;
  const std::optional<Request> request = ParseRequest(packet, files.size(), error);
  if (!request) {
    for (const int fd : files) close(fd);
    return "error " + error + "\n";
  }
  if (std::holds_alternative<OutputsRequest>(*request)) {
    std::vector<OutputSize> sizes;
    for (const std::unique_ptr<TOutputSurface>& output : outputs_)
      if (output->Ready())
        sizes.push_back({output->Name(), static_cast<std::uint32_t>(output->Width()),
                         static_cast<std::uint32_t>(output->Height())});
    return OutputsAnswer(sizes);
  }
  if (std::holds_alternative<StatusRequest>(*request)) {
    int fading = 0;
    int frames = 0;
    for (const std::unique_ptr<TOutputSurface>& output : outputs_) {
      fading += output->Fading() ? 1 : 0;
      frames += output->Frames();
    }
    return "status " + std::to_string(fading) + " " + std::to_string(frames) + "\n";
  }
  return Show(std::get<ShowRequest>(*request), files);
}

std::string TBackground::Show(const ShowRequest& request, std::vector<int>& files) {
  std::vector<std::shared_ptr<TSharedPicture>> pictures;
  std::string error;
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::unique_ptr<TSharedPicture> picture = TSharedPicture::Take(files[i], request.pictures[i], error);
    if (!picture || !picture->Map()) {
      for (std::size_t rest = i + 1; rest < files.size(); ++rest) close(files[rest]);
      if (picture) error = "a picture cannot be mapped";
      return "error " + error + "\n";
    }
    picture->Unmap();
    pictures.push_back(std::move(picture));
  }
  primary_ = pictures.front();
  const FadeTime now = std::chrono::steady_clock::now();
  std::string failed;
  for (const std::unique_ptr<TOutputSurface>& output : outputs_) {
    const auto named = std::find_if(pictures.begin(), pictures.end(), [&output](const auto& picture) {
      return picture->Header().output == output->Name();
    });
    if (!output->Show(named != pictures.end() ? *named : primary_, std::chrono::milliseconds(request.fadeMs), now,
                      error))
      failed = error;
  }
  return failed.empty() ? std::string("ok\n") : "error " + failed + "\n";
}

int TBackground::Run(TPictureSocket& socket) {
  const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
  std::vector<int> clients;
  int status = 0;
  for (;;) {
    ArmTimer(timer, Tick());
    while (wl_display_prepare_read(display_) != 0)
      if (wl_display_dispatch_pending(display_) < 0) break;
    if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
      wl_display_cancel_read(display_);
      break;
    }
    std::vector<pollfd> fds = {
        {wl_display_get_fd(display_), POLLIN, 0}, {socket.ListenFd(), POLLIN, 0}, {timer, POLLIN, 0}};
    for (const int client : clients) fds.push_back({client, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
      wl_display_cancel_read(display_);
      status = 1;
      break;
    }
    if (fds[0].revents & POLLIN) {
      if (wl_display_read_events(display_) < 0) break;
    } else {
      wl_display_cancel_read(display_);
    }
    if ((fds[0].revents & (POLLERR | POLLHUP)) || wl_display_dispatch_pending(display_) < 0) break;
    if (fds[2].revents & POLLIN) {
      std::uint64_t expirations = 0;
      [[maybe_unused]] const ssize_t got = read(timer, &expirations, sizeof(expirations));
    }
    if (fds[1].revents & POLLIN)
      for (int client = socket.Accept(); client >= 0; client = socket.Accept()) clients.push_back(client);
    for (std::size_t i = 3; i < fds.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      std::string packet;
      std::vector<int> files;
      if (TPictureSocket::Receive(fds[i].fd, packet, files)) {
        const std::string answer = Answer(packet, files);
        // A picture shown at once is on its way to the compositor before the agent hears of it.
        wl_display_flush(display_);
        TPictureSocket::Send(fds[i].fd, answer);
      } else {
        close(fds[i].fd);
        std::erase(clients, fds[i].fd);
      }
    }
  }
  for (const int client : clients) close(client);
  close(timer);
  return status;
}
