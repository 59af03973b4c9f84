// The pieces of a root background that every way of setting it shares: a picture copied into
// a pixmap, the pixmap ids the root's properties name, the rule for freeing another setter's
// pixmap, and showing a pixmap as the root's background. Include after Qt's headers: Xlib's
// macros clash with Qt's names.
#pragma once

// clang-format off
#include <QImage>
#include <optional>

#include <X11/Xlib.h>

#include "platform/desktop/x11/X11ErrorTrap.h"
// clang-format on

// The two properties that name the root's pixmap.
struct RootPixmapAtoms {
  Atom rootId;      // _XROOTPMAP_ID, which compositors and terminals read
  Atom esetrootId;  // ESETROOT_PMAP_ID, which says the pixmap may be freed by the next setter
};
RootPixmapAtoms InternRootPixmapAtoms(Display* display);

// Copies the picture into a server-side pixmap of the root's depth and visual; throws
// TDesktopError when no image can be made.
void PutPicture(Display* display, Drawable target, const QImage& picture, int depth, Visual* visual);

std::optional<Pixmap> ReadPixmapProperty(Display* display, Window root, Atom property);

// Another setter's pixmap is freed only when both properties name it: that is how setters
// which keep their pixmap alive mark it as theirs to give up. The id may be stale or bogus;
// the trap keeps the resulting errors from ending us.
void FreePreviousPixmap(Display* display, Window root, const RootPixmapAtoms& atoms, Pixmap ours, TX11ErrorTrap& trap);

// The root's background becomes the pixmap, shown at once. Both properties name it when
// retained (a pixmap whose connection has ended, which the next setter may free); otherwise
// only _XROOTPMAP_ID does, so that no other setter frees a pixmap of a connection still open,
// which would end that connection and with it the program.
void ShowRootPixmap(Display* display, Window root, const RootPixmapAtoms& atoms, Pixmap pixmap, bool retained);
