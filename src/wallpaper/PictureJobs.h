// Further monitors' pictures made from their entries' files on worker threads, so that a
// change on several monitors decodes its photos side by side on the machine's cores while
// the user-interface thread makes the primary monitor's. No more run at once than the
// machine has cores: each decode may hold a large photo in memory.
#pragma once

#include <QImage>
#include <QSize>
#include <future>
#include <string>
#include <vector>

#include "wallpaper/DispMethods.h"

struct MonitorSource {
  std::string file;
  DispObj method;
  QSize area;
};

class TPictureJobs {
 public:
  // Starts every picture at once; each is FillArea of the file's picture on its area, the
  // file decoded as AreaDecodeTarget asks.
  TPictureJobs(const std::vector<MonitorSource>& sources, QRgb fill);
  // Waits for the pictures not taken: none goes on decoding into the next change.
  ~TPictureJobs();
  TPictureJobs(const TPictureJobs&) = delete;
  TPictureJobs& operator=(const TPictureJobs&) = delete;
  // Waits for the pictures and gives them in the sources' order. A picture that could not
  // be made throws here what it threw (a wallpaper too large to compose, no memory).
  std::vector<QImage> Take();

 private:
  std::vector<std::future<QImage>> jobs_;
};
