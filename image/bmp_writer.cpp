#include "image/bmp_writer.h"

#include <algorithm>

#include "image/bmp_file_header.h"
#include "platform/file_io.h"

namespace {
bool WriteBlock(FileHandle file, const std::uint8_t* bytes, std::size_t length) {
  for (std::size_t done = 0; done < length;) {
    const auto piece =
        static_cast<std::uint32_t>(std::min<std::size_t>(kMaxFilePiece, length - done));
    if (WriteFilePiece(file, bytes + done, piece) != piece)
      return false;
    done += piece;
  }
  return true;
}

bool WritePicture(FileHandle file, const PackedDib& picture) {
  // Held pictures have at most 1200 bytes of header and colour table and 32767 rows of at
  // most 32768 bytes, so the file length fits in bfSize's 32 bits.
  const std::size_t pixelOffset = DibPixelOffset(picture);
  const std::uint32_t fileLength = BmpFileLength(picture);
  const std::size_t recordLength = fileLength - kFileHeaderSize;
  if (recordLength > picture.length())
    return false;  // the block does not hold its rows

  std::uint8_t header[kFileHeaderSize] = {};
  WriteLe16(header + 0, kBmpSignature);
  WriteLe32(header + 2, fileLength);
  WriteLe32(header + 10, static_cast<std::uint32_t>(kFileHeaderSize + pixelOffset));
  if (WriteFilePiece(file, header, kFileHeaderSize) != kFileHeaderSize)
    return false;
  return WriteBlock(file, picture.bytes(), recordLength);
}
}  // namespace

std::uint32_t BmpFileLength(const PackedDib& picture) {
  const std::uint64_t rows =
      static_cast<std::uint64_t>(DibStride(DibWidth(picture), DibBitCount(picture))) *
      DibHeight(picture);
  return static_cast<std::uint32_t>(kFileHeaderSize + DibPixelOffset(picture) + rows);
}

BmpWriteResult WriteBmpFile(const char* path, const PackedDib& picture) {
  const FileHandle file = OpenExistingFileForWriting(path);
  if (file == kNoFile)
    return BmpWriteResult::CannotOpen;
  const bool written = WritePicture(file, picture);
  CloseFile(file);
  return written ? BmpWriteResult::Written : BmpWriteResult::ShortWrite;
}

bool SaveBmpFile(OwnerWindow owner, const char* path, const PackedDib& picture) {
  const BmpWriteResult result = WriteBmpFile(path, picture);
  if (result == BmpWriteResult::CannotOpen)
    ShowWarning(owner, kCannotOpenFileMessage, path);
  return result == BmpWriteResult::Written;
}
