#include "image/bmp_reader.h"

#include <algorithm>

#include "image/bmp_file_header.h"
#include "image/picture_checks.h"
#include "platform/file_io.h"

namespace {
// Reads the block in whole pieces of kMaxFilePiece bytes and one last piece with the rest.
bool ReadBlock(FileHandle file, std::uint8_t* block, std::size_t length) {
  for (std::size_t done = 0; done < length;) {
    const auto piece =
        static_cast<std::uint32_t>(std::min<std::size_t>(kMaxFilePiece, length - done));
    if (ReadFilePiece(file, block + done, piece) != piece)
      return false;
    done += piece;
  }
  return true;
}

PackedDib ReadFileContent(FileHandle file) {
  std::uint8_t fileHeader[kFileHeaderSize];
  if (ReadFilePiece(file, fileHeader, kFileHeaderSize) != kFileHeaderSize)
    return PackedDib();
  if (ReadLe16(fileHeader) != kBmpSignature)
    return PackedDib();
  // Bytes after bfSize are never read; bfReserved and bfOffBits are not consulted.
  const std::uint32_t fileSize = ReadLe32(fileHeader + 2);
  if (fileSize <= kFileHeaderSize)
    return PackedDib();
  // A file shorter than its bfSize would fail the reading anyway; knowing it now saves taking
  // a block of up to 4 GiB for a file of a few bytes.
  const std::int64_t actualLength = FileLength(file);
  if (actualLength >= 0 && actualLength < fileSize)
    return PackedDib();

  PackedDib block = PackedDib::Allocate(fileSize - kFileHeaderSize);
  if (!block)
    return block;
  if (!ReadBlock(file, block.bytes(), block.length()))
    FreeDib(block);
  return block;
}
}  // namespace

PackedDib LoadBmpFile(const char* path) {
  const FileHandle file = OpenFileForReading(path);
  if (file == kNoFile)
    return PackedDib();
  PackedDib block = ReadFileContent(file);
  CloseFile(file);
  if (block && !IsUsablePicture(block))
    FreeDib(block);
  return block;
}
