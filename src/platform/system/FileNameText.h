// File names are bytes, but D-Bus strings and script text carry text. A name that is not
// text in the system's encoding would reach the desktop as another file's name, so such a
// name is refused instead.
#pragma once

#include <QString>
#include <string>

// Throws TDesktopError naming the backend when the bytes do not decode to text exactly.
QString FileNameAsText(const std::string& backend, const std::string& file);
