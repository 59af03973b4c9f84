// Replacing a file so that a crash leaves either the old file or the whole new one: the
// bytes go to a temporary file in the target's folder, are synced, and the temporary file
// is renamed over the target, then the folder is synced.
#pragma once

#include <string>
#include <string_view>

// Replaces the file at path (the target of a symbolic link, which stays a link) by bytes,
// keeping the old file's permissions; a new file gets 0666 less the umask. On failure the
// old file is untouched, the temporary file is removed, and std::system_error carries errno.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
