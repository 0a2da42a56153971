// Arbitrary bytes as a BMP file, opened exactly as the open command opens a file: written to a
// real file, then read by OpenSourcePicture. Whatever is accepted must be the file's own bytes
// and hold its whole colour table and every row inside the block.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/app_state.h"
#include "fuzz/fuzz_file.h"
#include "image/picture_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = FuzzInputPath();
  if (!WriteFuzzInput(path, data, size))
    return 0;

  AppState state;
  state.imagePath = path;
  const CoreOutcome outcome = OpenSourcePicture(state);
  if (outcome != CoreOutcome::Done) {
    if (state.source || state.result)
      std::abort();  // a refusal leaves no picture
    return 0;
  }
  const PackedDib& picture = state.source;
  const std::uint32_t fileSize = ReadLe32(data + 2);
  if (!IsUsablePicture(picture) || picture.length() != fileSize - 14u ||
      std::memcmp(picture.bytes(), data + 14, picture.length()) != 0) {
    std::abort();
  }
  // Touch every row byte the other parts will read, so the sanitizer sees any overrun.
  const std::size_t rows =
      static_cast<std::size_t>(DibStride(DibWidth(picture), DibBitCount(picture))) *
      DibHeight(picture);
  volatile std::uint8_t sink = 0;
  for (std::size_t i = 0; i < rows; i += 61)
    sink = sink ^ DibPixels(picture)[i];
  if (rows != 0)
    sink = sink ^ DibPixels(picture)[rows - 1];
  return 0;
}
