// A freedesktop desktop notification over the session bus: shown by the desktop's
// notification server, never waited for.
#pragma once

#include <QString>

// Sends the notification when a notification server runs or can be started on the session
// bus; false (and nothing sent) otherwise. The call does not wait for the server's answer.
bool SendDesktopNotification(const QString& summary, const QString& body);
