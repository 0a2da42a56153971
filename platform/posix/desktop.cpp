#include "platform/desktop.h"

#include <gio/gio.h>

#include <cstring>
#include <string>

#include "platform/folders.h"

namespace {
constexpr char kBackgroundSchema[] = "org.gnome.desktop.background";

// The GNOME desktop's background settings, or null where their schema is not installed (no
// GNOME here): the desktop calls then do nothing, as a refused Win32 call would show nothing.
GSettings* OpenBackgroundSettings(GSettingsSchema** schema) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (source == nullptr)
    return nullptr;
  *schema = g_settings_schema_source_lookup(source, kBackgroundSchema, TRUE);
  if (*schema == nullptr)
    return nullptr;
  return g_settings_new_full(*schema, nullptr, nullptr);
}

// Setting a key that the schema lacks aborts the process; older desktops have no dark variant.
void SetIfPresent(GSettings* settings, GSettingsSchema* schema, const char* key,
                  const char* value) {
  if (g_settings_schema_has_key(schema, key))
    g_settings_set_string(settings, key, value);
}

// Hands the values to the settings store before the settings object (or the process) goes.
void Finish(GSettings* settings, GSettingsSchema* schema) {
  g_settings_sync();
  g_object_unref(settings);
  g_settings_schema_unref(schema);
}

// The URI of the wallpaper file; empty when the path cannot be made one.
std::string WallpaperUri(const char* path) {
  std::string absolute = path;
  if (path[0] != '/')
    absolute = WindowsFolder() + kPathSeparator + path;
  gchar* uri = g_filename_to_uri(absolute.c_str(), nullptr, nullptr);
  if (uri == nullptr)
    return std::string();
  std::string result = uri;
  g_free(uri);
  return result;
}
}  // namespace

void WriteTileWallpaper(bool tile) {
  GSettingsSchema* schema = nullptr;
  GSettings* settings = OpenBackgroundSettings(&schema);
  if (settings == nullptr)
    return;
  SetIfPresent(settings, schema, "picture-options", tile ? "wallpaper" : "centered");
  Finish(settings, schema);
}

void SetDesktopWallpaper(const char* path) {
  // An empty name clears the wallpaper too, as it does on Windows.
  std::string uri;
  if (std::strcmp(path, kNoWallpaper) != 0 && path[0] != '\0') {
    uri = WallpaperUri(path);
    if (uri.empty())
      return;
  }
  GSettingsSchema* schema = nullptr;
  GSettings* settings = OpenBackgroundSettings(&schema);
  if (settings == nullptr)
    return;
  SetIfPresent(settings, schema, "picture-uri", uri.c_str());
  SetIfPresent(settings, schema, "picture-uri-dark", uri.c_str());
  Finish(settings, schema);
}
