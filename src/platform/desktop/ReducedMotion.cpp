#include "platform/desktop/ReducedMotion.h"

#include "platform/session/PortalSettings.h"

// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>

namespace {

const char kAppearance[] = "org.freedesktop.appearance";
const char kReducedMotion[] = "reduced-motion";
const char kInterfaceSchema[] = "org.gnome.desktop.interface";
const char kAnimations[] = "enable-animations";

}  // namespace

bool MotionReduced(const std::optional<unsigned>& portal, const std::optional<bool>& animations) {
  return (portal && *portal == 1) || (animations && !*animations);
}

std::optional<bool> GnomeAnimationsEnabled() {
  // g_settings_new aborts the program on a missing schema, so look it up first.
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kInterfaceSchema, TRUE) : nullptr;
  if (!schema) return std::nullopt;
  const bool hasKey = g_settings_schema_has_key(schema, kAnimations);
  std::optional<bool> enabled;
  if (hasKey) {
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    enabled = g_settings_get_boolean(settings, kAnimations);
    g_object_unref(settings);
  }
  g_settings_schema_unref(schema);
  return enabled;
}

TReducedMotion::TReducedMotion(QDBusConnection bus) : portal_(std::make_unique<TPortalSettings>(std::move(bus))) {
  portal_->Watch(kAppearance, kReducedMotion);
}

TReducedMotion::~TReducedMotion() = default;

bool TReducedMotion::Reduced() const {
  std::optional<unsigned> portal;
  if (const std::optional<QVariant> value = portal_->Value(kAppearance, kReducedMotion)) {
    bool number = false;
    const unsigned reduced = value->toUInt(&number);
    if (number) portal = reduced;
  }
  return MotionReduced(portal, GnomeAnimationsEnabled());
}
