#include "wallpaper/PictureJobs.h"

#include <QThreadPool>
#include <memory>

#include "picture/PictureLoader.h"
#include "wallpaper/MonitorPictures.h"

TPictureJobs::TPictureJobs(const std::vector<MonitorSource>& sources, QRgb fill) {
  for (const MonitorSource& source : sources) {
    // The task keeps its own copy of the source; a failure travels to Take in the future.
    auto job = std::make_shared<std::packaged_task<QImage()>>(
        [source, fill] { return FillArea(LoadPicture(source.file), source.method, source.area, fill); });
    jobs_.push_back(job->get_future());
    QThreadPool::globalInstance()->start([job] { (*job)(); });
  }
}

TPictureJobs::~TPictureJobs() {
  for (std::future<QImage>& job : jobs_) job.wait();
}

std::vector<QImage> TPictureJobs::Take() {
  std::vector<QImage> pictures;
  // Every job is waited for before a failure is passed on.
  std::exception_ptr failure;
  for (std::future<QImage>& job : jobs_) {
    try {
      pictures.push_back(job.get());
    } catch (...) {
      if (!failure) failure = std::current_exception();
      pictures.emplace_back();
    }
  }
  jobs_.clear();
  if (failure) std::rethrow_exception(failure);
  return pictures;
}
