#include <gio/gio.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>

#include "platform/desktop_readback_test_support.h"

namespace {
constexpr char kBackgroundSchema[] = "org.gnome.desktop.background";

// What `gsettings get` prints for a key, without GVariant's quotes around a string.
std::string GetInChildProcess(const char* key) {
  const std::string command =
      std::string("gsettings get ") + kBackgroundSchema + " " + key + " 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return "(gsettings did not start)";
  std::string text;
  char piece[512];
  while (std::size_t n = std::fread(piece, 1, sizeof piece, pipe))
    text.append(piece, n);
  if (pclose(pipe) != 0)
    return "(gsettings failed: " + text + ")";
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
    text = text.substr(1, text.size() - 2);
  return text;
}
}  // namespace

bool DesktopSettingsReachable() {
  // Never the session's own settings: only the private store that the test main set up.
  const char* backend = getenv("GSETTINGS_BACKEND");
  if (backend == nullptr || std::strcmp(backend, "keyfile") != 0)
    return false;
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (source == nullptr)
    return false;
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, kBackgroundSchema, TRUE);
  if (schema == nullptr)
    return false;
  g_settings_schema_unref(schema);
  return true;
}

void ForgetDesktopSettings() {
  GSettings* settings = g_settings_new(kBackgroundSchema);
  for (const char* key : {"picture-options", "picture-uri", "picture-uri-dark"})
    g_settings_reset(settings, key);
  g_settings_sync();
  g_object_unref(settings);
}

std::string StoredTileSetting() {
  return GetInChildProcess("picture-options");
}

std::string StoredWallpaper() {
  return GetInChildProcess("picture-uri");
}

std::string StoredDarkWallpaper() {
  return GetInChildProcess("picture-uri-dark");
}
