// The colour scheme the desktop asks programs for, and where it was read: the desktop
// portal's org.freedesktop.appearance color-scheme (1 dark, 2 light, 0 or anything else no
// preference, taken as light) once the portal has answered; until then, or where no portal
// answers, GNOME's org.gnome.desktop.interface color-scheme ("prefer-dark" dark) where its
// schema has the key; otherwise light.
#pragma once

#include <QVariant>
#include <optional>
#include <string>

enum class ColorScheme { Light, Dark };
enum class SchemeSource { Portal, GnomeSettings, None };

struct TSchemeReading {
  ColorScheme scheme = ColorScheme::Light;
  SchemeSource source = SchemeSource::None;
  bool operator==(const TSchemeReading&) const = default;
};

// portal: the portal's value once it answered (unwrapped); gnome: GNOME's key, nullopt without it.
TSchemeReading ReadScheme(const std::optional<QVariant>& portal, const std::optional<std::string>& gnome);

// What --status says: "dark (desktop portal)", "light (GNOME settings)", "light (no preference
// found)".
std::string SchemeText(const TSchemeReading& reading);
