#include "image/bmp_replace.h"

#include "image/bmp_writer.h"
#include "platform/file_io.h"

namespace {
// A file that exists but may not be written to is refused, as opening it for writing would be.
bool ExistsButIsNotWritable(const std::string& path) {
  FileHandle file = OpenExistingFileForWriting(path.c_str());
  if (file != kNoFile) {
    CloseFile(file);
    return false;
  }
  file = OpenFileForReading(path.c_str());
  if (file == kNoFile)
    return false;
  CloseFile(file);
  return true;
}

// A new file in the destination's folder, so that the replacement is a rename on one volume.
std::string CreateFileBeside(const std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = path + ".~zel" + std::to_string(attempt);
    if (CreateNewEmptyFile(candidate.c_str()))
      return candidate;
  }
  return std::string();
}

ReplaceResult Refuse(OwnerWindow owner, const std::string& path, ReplaceResult result) {
  ShowWarning(
      owner, result == ReplaceResult::CannotOpen ? kCannotOpenFileMessage : kCannotWriteFileMessage,
      path.c_str());
  return result;
}
}  // namespace

ReplaceResult ReplaceBmpFile(OwnerWindow owner, const std::string& path, const PackedDib& picture) {
  if (ExistsButIsNotWritable(path))
    return Refuse(owner, path, ReplaceResult::CannotOpen);
  const std::string temporary = CreateFileBeside(path);
  if (temporary.empty())
    return Refuse(owner, path, ReplaceResult::CannotOpen);

  const BmpWriteResult written = WriteBmpFile(temporary.c_str(), picture);
  if (written != BmpWriteResult::Written) {
    RemoveFileAt(temporary.c_str());
    return Refuse(owner, path,
                  written == BmpWriteResult::CannotOpen ? ReplaceResult::CannotOpen
                                                        : ReplaceResult::CannotWrite);
  }
  if (!ReplaceFileWith(temporary.c_str(), path.c_str())) {
    RemoveFileAt(temporary.c_str());
    return Refuse(owner, path, ReplaceResult::CannotWrite);
  }
  return ReplaceResult::Written;
}
