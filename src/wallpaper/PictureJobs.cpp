#include "wallpaper/PictureJobs.h"

#include <QThreadPool>
#include <memory>

#include "picture/PictureLoader.h"
#include "wallpaper/MonitorPictures.h"

namespace {

// A further monitor's picture: its file decoded only as far as its area shows it.
QImage MadeForArea(const MonitorSource& source, QRgb fill) {
  const std::optional<TDecodeTarget> target = AreaDecodeTarget(source.method, source.area);
  const QImage picture = target ? LoadPictureFor(source.file, *target).picture : LoadPicture(source.file);
  return FillArea(picture, source.method, source.area, fill);
}

}  // namespace

TPictureJobs::TPictureJobs(const std::vector<MonitorSource>& sources, QRgb fill) {
  for (const MonitorSource& source : sources) {
    // The task keeps its own copy of the source; a failure travels to Take in the future.
    auto job = std::make_shared<std::packaged_task<QImage()>>([source, fill] { return MadeForArea(source, fill); });
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
