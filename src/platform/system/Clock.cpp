#include "platform/system/Clock.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
}  // namespace

double TSystemClock::Now() const { return DateTimeToDays(QDateTime::currentDateTime()); }

double DateTimeToDays(const QDateTime& local) {
  const qint64 days = kEpoch.daysTo(local.date());
  return static_cast<double>(days) + local.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime DaysToDateTime(double days) {
  // Negative values count whole days backwards while the fraction stays a time of day.
  const double whole = std::floor(days);
  const auto ms = static_cast<int>(std::llround((days - whole) * kMsPerDay));
  QDateTime result(kEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0));
  return result.addMSecs(ms);
}
