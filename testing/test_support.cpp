#include "testing/test_support.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/warning.h"

#ifndef ZELMORA_BMPSUITE_DIR
#error "ZELMORA_BMPSUITE_DIR must name the BMP Suite folder"
#endif

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::random_device{}();
  path_ = fs::temp_directory_path() /
          ("zelmora-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const {
  return (path_ / name).string();
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
  return fs::exists(path);
}

std::string BmpSuitePath(const std::string& relative) {
#ifdef _WIN32
  // Wine shows the Unix root as drive Z:.
  return std::string("Z:") + ZELMORA_BMPSUITE_DIR + "/" + relative;
#else
  return std::string(ZELMORA_BMPSUITE_DIR) + "/" + relative;
#endif
}

std::vector<std::string> BmpSuiteFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(BmpSuitePath(folder))) {
    if (entry.path().extension() == ".bmp")
      names.push_back(folder + "/" + entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {
void Put16(Bytes& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(Bytes& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
}  // namespace

std::uint32_t BmpFixture::TableEntries() const {
  if (headerSize != 12 && headerSize >= 36 && colourCount != 0)
    return colourCount;
  return bitCount <= 8 ? (1u << bitCount) : 0;
}

Bytes BmpFixture::Record() const {
  const bool core = headerSize == 12;
  const std::uint32_t entries = TableEntries();
  const std::uint32_t entrySize = core ? 3 : 4;
  // Rows for the magnitude of a negative (top-down) size, the low 16 bits otherwise.
  const std::uint32_t w = width < 0 ? -width : static_cast<std::uint32_t>(width) & 0xFFFF;
  const std::uint32_t h = height < 0 ? -height : static_cast<std::uint32_t>(height) & 0xFFFF;
  const std::uint32_t stride = ((w * bitCount + 31) / 32) * 4;
  Bytes out(headerSize + entries * entrySize + stride * h + extraBytes, 0);
  Put32(out, 0, headerSize);
  if (core) {
    Put16(out, 4, w);
    Put16(out, 6, h);
    Put16(out, 8, 1);
    Put16(out, 10, bitCount);
  } else {
    const std::uint32_t fields[] = {static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height),
                                    1u | (static_cast<std::uint32_t>(bitCount) << 16),
                                    compression,
                                    sizeImage,
                                    2835,
                                    2835,
                                    colourCount,
                                    0};
    // Fields are cut where the header ends, byte by byte, as a short header cuts them.
    for (std::uint32_t i = 0; i < 9; ++i) {
      for (std::uint32_t b = 0; b < 4 && 4 + 4 * i + b < headerSize; ++b) {
        out[4 + 4 * i + b] = static_cast<std::uint8_t>(fields[i] >> (8 * b));
      }
    }
  }
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint32_t grey = entries > 1 ? (i * 200) / (entries - 1) : 0;
    const std::uint32_t colour = i < colours.size() ? colours[i] : (grey | grey << 8 | grey << 16);
    for (std::uint32_t b = 0; b < entrySize; ++b) {
      out[headerSize + i * entrySize + b] = static_cast<std::uint8_t>(colour >> (8 * b));
    }
  }
  const std::size_t rows = headerSize + entries * entrySize;
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      const std::uint8_t value =
          i < pixels.size() ? pixels[i] : static_cast<std::uint8_t>(entries ? i % entries : 0);
      std::uint8_t& byte = out[rows + y * stride + (bitCount == 4 ? x / 2 : x)];
      if (bitCount == 4) {
        byte |= (x % 2 == 0) ? static_cast<std::uint8_t>(value << 4) : (value & 0x0F);
      } else {
        byte = value;
      }
    }
  }
  return out;
}

BmpFixture SizedFixture(std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
  BmpFixture fixture;
  fixture.width = width;
  fixture.height = height;
  fixture.bitCount = bitCount;
  return fixture;
}

Bytes BmpFixture::File() const {
  const Bytes record = Record();
  Bytes out(14 + record.size(), 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(14 + record.size()));
  const std::uint32_t entrySize = headerSize == 12 ? 3 : 4;
  Put32(out, 10, 14 + headerSize + TableEntries() * entrySize);
  std::copy(record.begin(), record.end(), out.begin() + 14);
  return out;
}

PackedDib PictureOf(const Bytes& record) {
  PackedDib picture = PackedDib::Allocate(record.size());
  if (!picture)
    throw std::runtime_error("no memory for a test picture");
  std::memcpy(picture.bytes(), record.data(), record.size());
  return picture;
}

PackedDib PictureOf(const BmpFixture& fixture) {
  return PictureOf(fixture.Record());
}

InFolder::InFolder(const fs::path& folder) : saved_(fs::current_path()) {
  fs::current_path(folder);
}
InFolder::~InFolder() {
  std::error_code ignored;
  fs::current_path(saved_, ignored);
}

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &saved_);
  previous_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved_;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}
FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  std::signal(SIGXFSZ, previous_);
}
#endif

namespace {
void RecordWarning(const char* text, const char* caption, void* context) {
  static_cast<WarningRecorder*>(context)->warnings.emplace_back(text, caption);
}
void RecordFileCall(FileCall call, std::uint32_t count, void* context) {
  auto* recorder = static_cast<FileCallRecorder*>(context);
  (call == FileCall::Read ? recorder->reads : recorder->writes).push_back(count);
}
}  // namespace

WarningRecorder::WarningRecorder() {
  SetWarningSink(RecordWarning, this);
}
WarningRecorder::~WarningRecorder() {
  SetWarningSink(nullptr, nullptr);
}

FileCallRecorder::FileCallRecorder() {
  SetFileCallObserver(RecordFileCall, this);
}
FileCallRecorder::~FileCallRecorder() {
  SetFileCallObserver(nullptr, nullptr);
}
