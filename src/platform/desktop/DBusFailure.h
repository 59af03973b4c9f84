// What a desktop's D-Bus error reply means to the user: a service that is not there, or that
// did not answer in time, could not be reached; any other error is the desktop refusing.
#pragma once

#include <QDBusMessage>

#include "platform/desktop/DesktopBackend.h"

DesktopFailure DBusFailure(const QDBusMessage& reply);
