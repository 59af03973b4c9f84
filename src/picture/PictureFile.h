// Opening a picture file for reading. Only a regular file can be a picture: a FIFO named in
// the list or lying in a browsed folder would block the reader for good, and a device would
// feed it endless bytes, so both are refused as files that cannot be opened.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

// A descriptor open for blocking reads (close-on-exec) on the regular file at path; the
// caller owns it. Throws TFileOpenError when the path names no regular file or cannot be
// opened. The open itself never waits for a writer.
int OpenPictureFile(const std::string& path);

struct TPictureStreamCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TPictureStream = std::unique_ptr<std::FILE, TPictureStreamCloser>;

// OpenPictureFile as a stdio stream, for readers that take a FILE*; same errors.
TPictureStream OpenPictureStream(const std::string& path);
