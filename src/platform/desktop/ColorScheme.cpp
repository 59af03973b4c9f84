#include "platform/desktop/ColorScheme.h"

TSchemeReading ReadScheme(const std::optional<QVariant>& portal, const std::optional<std::string>& gnome) {
  if (portal) {
    bool number = false;
    const unsigned value = portal->toUInt(&number);
    return {number && value == 1 ? ColorScheme::Dark : ColorScheme::Light, SchemeSource::Portal};
  }
  if (gnome) return {*gnome == "prefer-dark" ? ColorScheme::Dark : ColorScheme::Light, SchemeSource::GnomeSettings};
  return {};
}

std::string SchemeText(const TSchemeReading& reading) {
  const std::string scheme = reading.scheme == ColorScheme::Dark ? "dark" : "light";
  switch (reading.source) {
    case SchemeSource::Portal:
      return scheme + " (desktop portal)";
    case SchemeSource::GnomeSettings:
      return scheme + " (GNOME settings)";
    case SchemeSource::None:
      break;
  }
  return scheme + " (no preference found)";
}
