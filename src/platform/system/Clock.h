// Date-time values are day counts since 30 December 1899, the fraction being the time of
// day, in local time. The clock seam lets tests run a day of schedule in milliseconds.
#pragma once

#include <QDateTime>

class IClock {
 public:
  virtual ~IClock() = default;
  virtual double Now() const = 0;
};

class TSystemClock final : public IClock {
 public:
  double Now() const override;
};

// Conversions between local QDateTime and the day count.
double DateTimeToDays(const QDateTime& local);
QDateTime DaysToDateTime(double days);
