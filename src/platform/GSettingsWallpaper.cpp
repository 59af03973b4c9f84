#include "platform/GSettingsWallpaper.h"

#include <gio/gio.h>

#include <memory>
#include <vector>

namespace {

struct Flavour {
  const char* name;
  const char* schema;
  const char* fileKey;
  bool uri;
  bool hasNone;
};

const Flavour& FlavourOf(GSettingsDesktop desktop) {
  static const Flavour flavours[] = {
      {"gnome", "org.gnome.desktop.background", "picture-uri", true, true},
      {"cinnamon", "org.cinnamon.desktop.background", "picture-uri", true, true},
      {"mate", "org.mate.background", "picture-filename", false, false},
  };
  return flavours[static_cast<int>(desktop)];
}

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
SchemaPtr LookupSchema(const Flavour& flavour) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  return SchemaPtr(source ? g_settings_schema_source_lookup(source, flavour.schema, TRUE) : nullptr);
}

std::string ReadString(GSettings* settings, const char* key) {
  return GString(g_settings_get_string(settings, key)).get();
}

std::string KeyValue(const Flavour& flavour, const std::string& file) {
  if (file.empty() || !flavour.uri) return file;
  GString absolute(g_canonicalize_filename(file.c_str(), nullptr));
  GError* error = nullptr;
  GString uri(g_filename_to_uri(absolute.get(), nullptr, &error));
  if (!uri) {
    std::unique_ptr<GError, ErrorDeleter> owned(error);
    ThrowBackendError(flavour.name, std::string("cannot make a file URI: ") + owned->message);
  }
  return uri.get();
}

std::string FileFromKey(const Flavour& flavour, const std::string& value) {
  if (!flavour.uri || value.empty()) return value;
  GString file(g_filename_from_uri(value.c_str(), nullptr, nullptr));
  return file ? std::string(file.get()) : value;
}

const char* OptionFor(const Flavour& flavour, const WallpaperValues& values) {
  if (values.file.empty()) return flavour.hasNone ? "none" : nullptr;
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

std::string TGSettingsWallpaper::Name() const { return FlavourOf(desktop_).name; }

void TGSettingsWallpaper::Apply(const WallpaperValues& values) {
  const Flavour& flavour = FlavourOf(desktop_);
  const SchemaPtr schema = LookupSchema(flavour);
  if (!schema)
    ThrowBackendError(flavour.name, std::string("the GSettings schema ") + flavour.schema + " is not installed");
  const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));

  const std::string value = KeyValue(flavour, values.file);
  if (const char* option = OptionFor(flavour, values)) g_settings_set_string(settings.get(), "picture-options", option);
  std::vector<const char*> keys{flavour.fileKey};
  if (g_settings_schema_has_key(schema.get(), "picture-uri-dark")) keys.push_back("picture-uri-dark");
  for (const char* key : keys) {
    if (!value.empty() && ReadString(settings.get(), key) == value) g_settings_set_string(settings.get(), key, "");
    if (!g_settings_set_string(settings.get(), key, value.c_str()))
      ThrowBackendError(flavour.name, std::string("the key ") + key + " is not writable");
  }
  g_settings_sync();
}

std::optional<ShownWallpaper> TGSettingsWallpaper::Query() {
  const Flavour& flavour = FlavourOf(desktop_);
  const SchemaPtr schema = LookupSchema(flavour);
  if (!schema) return std::nullopt;
  const SettingsPtr settings(g_settings_new_full(schema.get(), nullptr, nullptr));
  ShownWallpaper shown;
  shown.file = FileFromKey(flavour, ReadString(settings.get(), flavour.fileKey));
  shown.tiled = ReadString(settings.get(), "picture-options") == "wallpaper";
  return shown;
}
