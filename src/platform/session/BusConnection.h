// The session bus, or for tests a private bus at the given address, and the questions put to
// the bus itself. Those questions block without running the event loop: the helpers Qt
// offers for them would, in the UI thread, let timers, clicks and incoming calls run in the
// middle of whatever asked.
#pragma once

#include <QDBusConnection>
#include <string>

// address empty: the session bus; otherwise a connection named name to that address.
QDBusConnection BusConnection(const std::string& address, const QString& name);

// Whether someone owns name on the bus.
bool NameHasOwner(const QDBusConnection& bus, const QString& name);
// Whether the bus would start a service for name when it is called.
bool NameActivatable(const QDBusConnection& bus, const QString& name);
// Asks for name, not queued behind another owner and not to be taken away; true when owned.
bool RequestName(const QDBusConnection& bus, const QString& name);
