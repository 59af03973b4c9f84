// Reading the desktop's colour scheme: the portal's value, GNOME's key where no portal
// answered, and what --status says of it.
#include "platform/desktop/ColorScheme.h"

#include <gtest/gtest.h>

#include <QDBusVariant>

namespace {

TEST(ColorScheme, ThePortalFirstThenGnomesKeyOtherwiseLight) {
  using Gnome = std::optional<std::string>;
  using Portal = std::optional<QVariant>;
  struct Case {
    const char* what;
    Portal portal;
    Gnome gnome;
    TSchemeReading reading;
    const char* text;
  };
  const Case cases[] = {
      {"portal dark",
       QVariant(1u),
       Gnome("default"),
       {ColorScheme::Dark, SchemeSource::Portal},
       "dark (desktop portal)"},
      {"portal light",
       QVariant(2u),
       Gnome("prefer-dark"),
       {ColorScheme::Light, SchemeSource::Portal},
       "light (desktop portal)"},
      {"portal: no preference",
       QVariant(0u),
       Gnome("prefer-dark"),
       {ColorScheme::Light, SchemeSource::Portal},
       "light (desktop portal)"},
      {"portal: a value it may add later",
       QVariant(7u),
       std::nullopt,
       {ColorScheme::Light, SchemeSource::Portal},
       "light (desktop portal)"},
      {"portal: not a number",
       QVariant(QStringLiteral("dark")),
       std::nullopt,
       {ColorScheme::Light, SchemeSource::Portal},
       "light (desktop portal)"},
      {"portal: a signed number",
       QVariant(1),
       std::nullopt,
       {ColorScheme::Dark, SchemeSource::Portal},
       "dark (desktop portal)"},
      {"no portal, GNOME dark",
       std::nullopt,
       Gnome("prefer-dark"),
       {ColorScheme::Dark, SchemeSource::GnomeSettings},
       "dark (GNOME settings)"},
      {"no portal, GNOME light",
       std::nullopt,
       Gnome("prefer-light"),
       {ColorScheme::Light, SchemeSource::GnomeSettings},
       "light (GNOME settings)"},
      {"no portal, GNOME default",
       std::nullopt,
       Gnome("default"),
       {ColorScheme::Light, SchemeSource::GnomeSettings},
       "light (GNOME settings)"},
      {"neither", std::nullopt, std::nullopt, {ColorScheme::Light, SchemeSource::None}, "light (no preference found)"},
  };
  for (const Case& c : cases) {
    const TSchemeReading reading = ReadScheme(c.portal, c.gnome);
    EXPECT_EQ(reading, c.reading) << c.what;
    EXPECT_EQ(SchemeText(reading), c.text) << c.what;
  }
}

}  // namespace
