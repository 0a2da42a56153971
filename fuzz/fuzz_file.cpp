#include "fuzz/fuzz_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
std::string MakeInputPath() {
  const char* folder = std::getenv("TMPDIR");
  const std::string base = folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
  return base + "/zelmora-fuzz-" + std::to_string(getpid()) + ".bmp";
}

void RemoveInput() {
  std::remove(FuzzInputPath().c_str());
}
}  // namespace

const std::string& FuzzInputPath() {
  static const std::string path = [] {
    std::atexit(RemoveInput);
    return MakeInputPath();
  }();
  return path;
}

bool WriteFuzzInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return false;
  const bool whole = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && whole;
}
