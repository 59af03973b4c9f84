// The text form of date-time values in the configuration file: the locale's short date, a
// blank and the time with seconds; at exactly midnight the time is left out. Values are
// rounded to the second and the year is always written in full, so what is written reads
// back to the same second.
#pragma once

#include <QLocale>
#include <optional>
#include <string>

std::string DateTimeToText(double days, const QLocale& locale = QLocale());
// nullopt when the text is not a date (with or without a time) of the locale.
std::optional<double> TextToDateTime(const std::string& text, const QLocale& locale = QLocale());
