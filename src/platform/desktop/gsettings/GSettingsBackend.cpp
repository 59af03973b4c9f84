#include "platform/desktop/gsettings/GSettingsBackend.h"

// GIO names a struct member "signals", which Qt's keyword macro would rewrite.
#undef signals
#include <gio/gio.h>

#include <memory>
#include <vector>

#include "platform/desktop/LayoutCanvas.h"

namespace {

const char kDarkKey[] = "picture-uri-dark";

struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
using GString = std::unique_ptr<char, GFreeDeleter>;
struct ObjectDeleter {
  void operator()(GSettings* p) const { g_object_unref(p); }
};
using SettingsPtr = std::unique_ptr<GSettings, ObjectDeleter>;
struct SchemaDeleter {
  void operator()(GSettingsSchema* p) const { g_settings_schema_unref(p); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaDeleter>;
struct ErrorDeleter {
  void operator()(GError* p) const { g_error_free(p); }
};

// g_settings_new aborts the program on a missing schema, so look it up first.
SchemaPtr LookupSchema(const GSettingsTarget& target) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  return SchemaPtr(source ? g_settings_schema_source_lookup(source, target.schema.c_str(), TRUE) : nullptr);
}

std::string ReadString(GSettings* settings, const char* key) {
  return GString(g_settings_get_string(settings, key)).get();
}

std::string KeyValue(const GSettingsTarget& target, const std::string& file) {
  if (file.empty()) return file;
  // A plain path travels as a GVariant string, which must be UTF-8; a URI escapes any byte.
  if (!target.uri) {
    if (!g_utf8_validate(file.data(), static_cast<gssize>(file.size()), nullptr))
      ThrowBackendError(target.name, DesktopFailure::FileName, file + " is not UTF-8 text");
    return file;
  }
  GString absolute(g_canonicalize_filename(file.c_str(), nullptr));
  GError* error = nullptr;
  GString uri(g_filename_to_uri(absolute.get(), nullptr, &error));
  if (!uri) {
    std::unique_ptr<GError, ErrorDeleter> owned(error);
    ThrowBackendError(target.name, DesktopFailure::FileName, std::string("no file URI: ") + owned->message);
  }
  return uri.get();
}

std::string FileFromKey(const GSettingsTarget& target, const std::string& value) {
  if (!target.uri || value.empty()) return value;
  GString file(g_filename_from_uri(value.c_str(), nullptr, nullptr));
  return file ? std::string(file.get()) : value;
}

const char* OptionFor(const GSettingsTarget& target, const WallpaperValues& values) {
  if (values.file.empty()) return target.hasNone ? "none" : nullptr;
  switch (values.layout) {
    case WallpaperLayout::Tile:
      return "wallpaper";
    case WallpaperLayout::Stretch:
      return "stretched";
    case WallpaperLayout::Center:
      break;
  }
  return "centered";
}

}  // namespace

GSettingsTarget TargetOf(GSettingsDesktop desktop) {
  switch (desktop) {
    case GSettingsDesktop::Cinnamon:
      return {"cinnamon", "org.cinnamon.desktop.background", "picture-uri", true, true};
    case GSettingsDesktop::Mate:
      return {"mate", "org.mate.background", "picture-filename", false, false};
    case GSettingsDesktop::Gnome:
      break;
  }
  return {"gnome", "org.gnome.desktop.background", "picture-uri", true, true};
}

void TGSettingsBackend::Apply(const WallpaperValues& values) {
  Set(values.file, values.darkFile, OptionFor(target_, values));
}

void TGSettingsBackend::ApplyMonitors(const std::vector<MonitorWallpaper>& monitors) {
  if (monitors.empty()) {
    Apply({});
    return;
  }
  Set(WriteLayoutCanvas(target_.name, monitors), std::string(), "spanned");
}

void TGSettingsBackend::Set(const std::string& file, const std::string& darkFile, const char* option) {
  const SchemaPtr schema = LookupSchema(target_);
  if (!schema)
    ThrowBackendError(target_.name, DesktopFailure::Unreachable, "the schema " + target_.schema + " is not installed");
  const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));

  const std::string value = KeyValue(target_, file);
  const std::string darkValue = darkFile.empty() || file.empty() ? value : KeyValue(target_, darkFile);
  if (option) g_settings_set_string(settings.get(), "picture-options", option);
  std::vector<std::pair<const char*, const std::string*>> keys{{target_.fileKey.c_str(), &value}};
  if (g_settings_schema_has_key(schema.get(), kDarkKey)) keys.emplace_back(kDarkKey, &darkValue);
  for (const auto& [key, text] : keys) {
    if (!text->empty() && ReadString(settings.get(), key) == *text) g_settings_set_string(settings.get(), key, "");
    if (!g_settings_set_string(settings.get(), key, text->c_str()))
      ThrowBackendError(target_.name, DesktopFailure::Refused, std::string("the key ") + key + " is not writable");
  }
  g_settings_sync();
}

bool TGSettingsBackend::SwitchesSchemeItself() const {
  const SchemaPtr schema = LookupSchema(target_);
  return schema && g_settings_schema_has_key(schema.get(), kDarkKey);
}

std::optional<ShownWallpaper> TGSettingsBackend::Query() {
  const SchemaPtr schema = LookupSchema(target_);
  if (!schema) return std::nullopt;
  const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));
  ShownWallpaper shown;
  shown.file = FileFromKey(target_, ReadString(settings.get(), target_.fileKey.c_str()));
  shown.tiled = ReadString(settings.get(), "picture-options") == "wallpaper";
  return shown;
}
