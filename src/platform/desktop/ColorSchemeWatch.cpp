#include "platform/desktop/ColorSchemeWatch.h"

#include <QDBusConnection>

#include "platform/session/PortalSettings.h"

// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>

namespace {

const char kAppearance[] = "org.freedesktop.appearance";
const char kColorScheme[] = "color-scheme";
const char kInterfaceSchema[] = "org.gnome.desktop.interface";

// GNOME's settings of the interface, where their schema has color-scheme; null otherwise.
GSettings* GnomeInterfaceSettings() {
  // g_settings_new aborts the program on a missing schema, so look it up first.
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kInterfaceSchema, TRUE) : nullptr;
  if (!schema) return nullptr;
  GSettings* settings =
      g_settings_schema_has_key(schema, kColorScheme) ? g_settings_new_full(schema, nullptr, nullptr) : nullptr;
  g_settings_schema_unref(schema);
  return settings;
}

}  // namespace

struct TColorSchemeWatch::Impl {
  TColorSchemeWatch& owner;
  TPortalSettings portal;
  GSettings* gnome = GnomeInterfaceSettings();
  gulong gnomeHandler = 0;
  TSchemeReading current;

  Impl(TColorSchemeWatch& owner, QDBusConnection bus) : owner(owner), portal(std::move(bus)) {
    // GSettings tells a change only of a key read after its handler was connected.
    if (gnome) gnomeHandler = g_signal_connect(gnome, "changed::color-scheme", G_CALLBACK(&Impl::GnomeChanged), this);
    current = Read();
    QObject::connect(&portal, &TPortalSettings::Changed, &portal, [this] { Update(); });
    portal.Watch(kAppearance, kColorScheme);
  }

  ~Impl() {
    if (!gnome) return;
    g_signal_handler_disconnect(gnome, gnomeHandler);
    g_object_unref(gnome);
  }

  static void GnomeChanged(GSettings*, const char*, gpointer self) { static_cast<Impl*>(self)->Update(); }

  std::optional<std::string> GnomeValue() const {
    if (!gnome) return std::nullopt;
    char* value = g_settings_get_string(gnome, kColorScheme);
    std::string text = value ? value : "";
    g_free(value);
    return text;
  }

  TSchemeReading Read() const { return ReadScheme(portal.Value(kAppearance, kColorScheme), GnomeValue()); }

  void Update() {
    const TSchemeReading now = Read();
    if (now == current) return;
    current = now;
    if (owner.OnChanged) owner.OnChanged(current);
  }
};

TColorSchemeWatch::TColorSchemeWatch(QDBusConnection bus) : impl_(std::make_unique<Impl>(*this, std::move(bus))) {}

TColorSchemeWatch::~TColorSchemeWatch() = default;

TSchemeReading TColorSchemeWatch::Current() const { return impl_->current; }

bool TColorSchemeWatch::Asking() const { return impl_->portal.Asking(); }
