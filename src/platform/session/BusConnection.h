// The session bus, or for tests a private bus at the given address, and the questions put to
// the bus itself. Those questions block without running the event loop: the helpers Qt
// offers for them would, in the UI thread, let timers, clicks and incoming calls run in the
// middle of whatever asked.
#pragma once

#include <QDBusConnection>
#include <string>

// When the session has no bus (DBUS_SESSION_BUS_ADDRESS unset or empty, and no
// $XDG_RUNTIME_DIR/bus), points the address at a socket that cannot exist, so that neither
// libdbus nor GIO starts a bus of its own (dbus-launch --autolaunch) on the first call: a
// session without a bus neither waits for one nor is left with a daemon it did not ask for.
// The bus's features then say that there is no bus. Called first thing in main, before any
// thread; the processes the program starts inherit it.
void KeepToTheSessionsOwnBus();

// address empty: the session bus; otherwise a connection named name to that address.
QDBusConnection BusConnection(const std::string& address, const QString& name);

// Whether someone owns name on the bus.
bool NameHasOwner(const QDBusConnection& bus, const QString& name);
// Whether the bus would start a service for name when it is called.
bool NameActivatable(const QDBusConnection& bus, const QString& name);
// Asks for name, not queued behind another owner and not to be taken away; true when owned.
bool RequestName(const QDBusConnection& bus, const QString& name);
