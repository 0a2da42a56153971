#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {
void MakeFolders(const std::string& path) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at == path.size() || path[at] == '/')
      mkdir(path.substr(0, at).c_str(), 0755);
  }
}
}  // namespace

std::string WindowsFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    base = "/tmp";
  }
  std::string folder = base + "/zelmora";
  MakeFolders(folder);
  return folder;
}

std::string CurrentFolder() {
  char folder[kPathRoom] = {};
  if (getcwd(folder, sizeof folder) == nullptr)
    return std::string();
  return folder;
}
