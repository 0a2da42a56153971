#include "ui/file_dialogs.h"

namespace {
// Description and pattern pairs, each ended by a zero, the list by a second zero.
constexpr char kBmpFilter[] = "Bitmap Files (*.BMP)\0*.bmp\0All Files (*.*)\0*.*\0";
constexpr char kDefaultExtension[] = "bmp";
constexpr char kWallpaperDialogTitle[] = "壁紙設定";

void Fill(OPENFILENAMEA& record, HWND owner, char* path, char* title, DWORD titleRoom) {
  record = {};
  record.lStructSize = sizeof(OPENFILENAMEA);
  record.hwndOwner = owner;
  record.lpstrFilter = kBmpFilter;
  record.lpstrFile = path;
  record.nMaxFile = kPathRoom;
  record.lpstrFileTitle = title;
  record.nMaxFileTitle = titleRoom;
  record.Flags = OFN_HIDEREADONLY;
  record.lpstrDefExt = kDefaultExtension;
}
}  // namespace

void PrepareFileDialogs(FileDialogs& dialogs, HWND owner, const AppState& state) {
  Fill(dialogs.imageFileDialog, owner, dialogs.imagePath, dialogs.imageFileTitle,
       sizeof dialogs.imageFileTitle);
  Fill(dialogs.wallpaperFileDialog, owner, dialogs.pickedWallpaperPath, dialogs.wallpaperFileTitle,
       sizeof dialogs.wallpaperFileTitle);
  dialogs.wallpaperFileDialog.lpstrInitialDir = state.windowsFolder.c_str();
  dialogs.wallpaperFileDialog.lpstrTitle = kWallpaperDialogTitle;
}
