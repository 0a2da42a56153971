#pragma once
// Helpers shared by the unit tests: temporary folders, files as bytes, small BMP fixtures,
// and recorders for the platform's warning and file-call seams.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "image/packed_dib.h"
#include "platform/file_io.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

using Bytes = std::vector<std::uint8_t>;

// A fresh folder that is removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // A path inside the folder, as the program's narrow-string calls take it.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

void WriteFileBytes(const std::string& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// A file of the public BMP Suite, such as "g/pal8.bmp".
std::string BmpSuitePath(const std::string& relative);
// Every file of one of its folders ("g" or "b"), sorted.
std::vector<std::string> BmpSuiteFiles(const std::string& folder);

// A BMP file with an information header (or a core header) and uncompressed rows, for tests.
struct BmpFixture {
  std::uint32_t headerSize = 40;
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint16_t bitCount = 8;
  std::uint32_t compression = 0;
  std::uint32_t colourCount = 0;  // biClrUsed; 0 for the full table
  std::uint32_t sizeImage = 0;
  std::uint32_t extraBytes = 0;  // after the rows, inside bfSize
  // Colour-table entries (blue, green, red, reserved); missing ones are grey levels.
  std::vector<std::uint32_t> colours;
  // Pixel indices, row by row in stored order (bottom row first); missing ones are i mod colours.
  std::vector<std::uint8_t> pixels;

  // The table entries this file carries.
  std::uint32_t TableEntries() const;
  // The record: header, colour table and rows (what a picture's block holds).
  Bytes Record() const;
  // The whole file: a 14-byte file header and the record.
  Bytes File() const;
};

// A picture block holding `record`, or the record of `fixture`, as the reader would keep it.
PackedDib PictureOf(const Bytes& record);
PackedDib PictureOf(const BmpFixture& fixture);

// Runs a block with the process's current folder moved, as a file dialog moves it.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder);
  ~InFolder();
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path saved_;
};

#ifndef _WIN32
// A file-size limit stands in for a full disk while it lives: every write past it fails with
// EFBIG (and the signal that would end the process is ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};
#endif

// A fixture of the given size and depth, everything else as BmpFixture has it.
BmpFixture SizedFixture(std::int32_t width, std::int32_t height, std::uint16_t bitCount);

// Records every warning shown through the platform while it lives.
class WarningRecorder {
 public:
  WarningRecorder();
  ~WarningRecorder();
  std::vector<std::pair<std::string, std::string>> warnings;  // text, caption
};

// Records the byte count of every read and write piece while it lives.
class FileCallRecorder {
 public:
  FileCallRecorder();
  ~FileCallRecorder();
  std::vector<std::uint32_t> reads;
  std::vector<std::uint32_t> writes;
};
