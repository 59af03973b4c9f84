#include "platform/desktop/x11/DesktopWindows.h"

// Qt headers must come before Xlib's, whose macros (Status, None, ...) break them.
// clang-format off
#include <QFile>
#include <algorithm>
#include <cstdio>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/desktop/x11/X11ErrorTrap.h"
// clang-format on

namespace {

std::vector<Window> Children(Display* display, Window window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && children)
    result.assign(children, children + count);
  if (children) XFree(children);
  return result;
}

// The 32-bit items of a window's property; empty when it has none.
std::vector<unsigned long> LongProperty(Display* display, Window window, Atom property, Atom type) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actual, &format, &count, &after, &data) ==
          Success &&
      data && actual == type && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

bool HasProperty(Display* display, Window window, Atom property) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &actual, &format,
                                        &count, &after, &data) == Success &&
                     actual != None;
  if (data) XFree(data);
  return found;
}

std::string ProcessName(unsigned long pid) {
  QFile comm(QString("/proc/%1/comm").arg(pid));
  return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed().toStdString() : std::string();
}

std::string ProgramOf(Display* display, Window window) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint)) {
    const std::string name = hint.res_name ? hint.res_name : "";
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    if (!name.empty()) return name;
  }
  const auto pid = LongProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL);
  if (!pid.empty())
    if (std::string name = ProcessName(pid.front()); !name.empty()) return name;
  char* title = nullptr;
  if (XFetchName(display, window, &title) && title) {
    const std::string name = title;
    XFree(title);
    if (!name.empty()) return name;
  }
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", window);
  return std::string("the program of window ") + id;
}

// The selection a compositing manager of the display's default screen owns.
std::string CompositorSelection(Display* display) { return "_NET_WM_CM_S" + std::to_string(DefaultScreen(display)); }

class Scan {
 public:
  explicit Scan(Display* display)
      : display_(display),
        root_(DefaultRootWindow(display)),
        type_(XInternAtom(display, "_NET_WM_WINDOW_TYPE", False)),
        desktop_(XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False)),
        wmState_(XInternAtom(display, "WM_STATE", False)),
        compositing_(XGetSelectionOwner(display, XInternAtom(display, CompositorSelection(display).c_str(), False)) !=
                     None) {}

  std::vector<TDesktopWindow> Run() {
    for (const Window child : Children(display_, root_)) {
      if (!Viewable(child)) continue;
      // A window manager's frame carries neither a type nor WM_STATE: its client is inside.
      if (HasProperty(display_, child, type_) || HasProperty(display_, child, wmState_)) {
        Consider(child);
        continue;
      }
      for (const Window client : Children(display_, child))
        if (Viewable(client)) Consider(client);
    }
    return found_;
  }

 private:
  bool Viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable &&
           attributes.c_class == InputOutput;
  }

  void Consider(Window window) {
    const std::vector<unsigned long> types = LongProperty(display_, window, type_, XA_ATOM);
    if (std::find(types.begin(), types.end(), desktop_) == types.end()) return;
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XGetWindowAttributes(display_, window, &attributes) ||
        !XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child))
      return;
    found_.push_back({window, ProgramOf(display_, window), QRect(x, y, attributes.width, attributes.height),
                      compositing_ && attributes.depth == 32});
  }

  Display* display_;
  Window root_;
  Atom type_;
  Atom desktop_;
  Atom wmState_;
  bool compositing_;
  std::vector<TDesktopWindow> found_;
};

}  // namespace

std::vector<TDesktopWindow> ListDesktopWindows(_XDisplay* display) {
  // Windows of other programs may go at any moment; their errors must not end this one.
  TX11ErrorTrap trap;
  std::vector<TDesktopWindow> windows = Scan(display).Run();
  trap.Sync(display);
  return windows;
}

std::vector<TDesktopWindow> DesktopWindowsOn(const std::string& displayName) {
  Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (!display) return {};
  std::vector<TDesktopWindow> windows = ListDesktopWindows(display);
  XCloseDisplay(display);
  return windows;
}
