#include "config/DateTimeText.h"

#include <QRegularExpression>
#include <cmath>

#include "platform/system/Clock.h"

namespace {

QString DateFormat(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  // A two-digit year would come back in the wrong century.
  if (!format.contains("yyyy")) format.replace(QRegularExpression("y+"), "yyyy");
  return format;
}

QString TimeFormat(const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression("\\s*t+\\s*"));
  format = format.trimmed();
  if (!format.contains('s')) format.replace(QRegularExpression("m+"), "mm:ss");
  return format;
}

}  // namespace

std::string DateTimeToText(double days, const QLocale& locale) {
  const double seconds = std::round(days * 86400.0);
  const QDateTime moment = DaysToDateTime(seconds / 86400.0);
  QString text = locale.toString(moment.date(), DateFormat(locale));
  if (moment.time() != QTime(0, 0)) text += ' ' + locale.toString(moment.time(), TimeFormat(locale));
  return text.toStdString();
}

std::optional<double> TextToDateTime(const std::string& text, const QLocale& locale) {
  const QString value = QString::fromStdString(text).trimmed();
  const QString dateFormat = DateFormat(locale);
  const QDateTime moment = locale.toDateTime(value, dateFormat + ' ' + TimeFormat(locale));
  if (moment.isValid()) return DateTimeToDays(moment);
  const QDate date = locale.toDate(value, dateFormat);
  if (date.isValid()) return DateTimeToDays(QDateTime(date, QTime(0, 0)));
  return std::nullopt;
}
