#include "ui/commands.h"

#include <cstdio>
#include <cstring>

#include "core/make_save.h"
#include "core/messages.h"
#include "platform/warning.h"
#include "ui/dialogs.h"
#include "ui/resource.h"
#include "ui/ui_state.h"
#include "ui/window_placement.h"
#include "wallpaper/wallpaper.h"

namespace {

constexpr char kOpenDialogTitle[] = "元絵を開く";
constexpr char kSaveDialogTitle[] = "画像をＢＭＰ形式で保存する";
constexpr char kPictureTitleFormat[] = "Zelmora (%dx%d %d色)";
constexpr char kProgressTitleFormat[] = "Zelmora 処理中 - %d%% -";
// Titles and the count text are read and formatted into buffers of this size.
constexpr int kTextRoom = 100;

// The refusal of an operation, in a warning box owned by the window.
void ShowRefusal(HWND window, CoreOutcome outcome) {
  const AppState& state = TheAppState();
  ShowWarning(window, OutcomeMessage(outcome), OutcomeCaption(outcome, state));
}

// "Zelmora (W x H colours)", after an open and after a make.
void ShowPictureTitle(HWND window) {
  const AppState& state = TheAppState();
  char title[kTextRoom];
  wsprintfA(title, kPictureTitleFormat, state.targetWidth, state.targetHeight, state.colourCount);
  SetWindowTextA(window, title);
}

// Copies a path into a dialog's path buffer, cut to the buffer's room.
void ToDialogBuffer(char (&buffer)[kPathRoom], const std::string& path) {
  const size_t length = path.size() < kPathRoom - 1 ? path.size() : kPathRoom - 1;
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
}

// The image dialog, open or save, starting with imagePath in currentFolder. True when the user
// confirmed; imagePath then holds the chosen path. A cancel leaves imagePath as it was.
bool RunImageDialog(const char* title, BOOL(WINAPI* run)(LPOPENFILENAMEA)) {
  AppState& state = TheAppState();
  FileDialogs& dialogs = TheFileDialogs();
  // The open and save commands share the record, so its title and folder are set every time.
  dialogs.imageFileDialog.lpstrTitle = title;
  dialogs.imageFileDialog.lpstrInitialDir = state.currentFolder.c_str();
  ToDialogBuffer(dialogs.imagePath, state.imagePath);
  if (!run(&dialogs.imageFileDialog))
    return false;
  state.imagePath = dialogs.imagePath;
  return true;
}

void Open(HWND window, bool) {
  if (!RunImageDialog(kOpenDialogTitle, GetOpenFileNameA))
    return;
  AppState& state = TheAppState();
  const CoreOutcome outcome = OpenSourcePicture(state);
  if (outcome != CoreOutcome::Done) {
    ShowRefusal(window, outcome);
    return;
  }
  DialogBoxParamA(TheUiState().appInstance, IDD_TXSIZE, window, SizeDialogProc, 0);
  ApplyTargetSize(state);
  // Hidden while it takes the new size and place.
  ShowWindow(window, SW_HIDE);
  FitWindowToImage(window);
  ShowWindow(window, SW_SHOW);
  ShowPictureTitle(window);
  InvalidateRect(window, nullptr, TRUE);
}

// A file exists when it can be opened for reading.
bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    return false;
  std::fclose(file);
  return true;
}

void Save(HWND window, bool) {
  AppState& state = TheAppState();
  const CoreOutcome precondition = CheckSavePrecondition(state);
  if (precondition != CoreOutcome::Done) {
    ShowRefusal(window, precondition);
    return;
  }
  if (!RunImageDialog(kSaveDialogTitle, GetSaveFileNameA))
    return;
  // No dialog flag asks about overwriting: the program asks its own question. A cancel keeps the
  // chosen path in imagePath, so the next dialog starts with it.
  if (FileExists(state.imagePath) &&
      MessageBoxA(window, kOverwriteQuestion, state.imagePath.c_str(), MB_OKCANCEL) == IDCANCEL)
    return;
  SaveMadePicture(state, window);
}

void Make(HWND window, bool) {
  AppState& state = TheAppState();
  char countText[kTextRoom] = {};
  GetWindowTextA(TheUiState().countField, countText, sizeof countText);
  // The title is the only progress display: the make blocks the message loop until it ends.
  const CoreOutcome outcome = MakePicture(state, countText, [window](std::int32_t percent) {
    char title[kTextRoom];
    wsprintfA(title, kProgressTitleFormat, static_cast<int>(percent));
    SetWindowTextA(window, title);
  });
  if (outcome != CoreOutcome::Done) {
    ShowRefusal(window, outcome);
    return;
  }
  ShowPictureTitle(window);
  InvalidateRect(window, nullptr, TRUE);
}

void Export(HWND window, bool tiled) {
  const CoreOutcome outcome = ExportWallpaper(TheAppState(), tiled, window);
  if (outcome != CoreOutcome::Done)
    ShowRefusal(window, outcome);
}

void Clear(HWND, bool) {
  ClearWallpaper(TheAppState());
}

// The viewer's own failure, a missing help file included, is its to tell.
void Help(HWND window, bool) {
  WinHelpA(window, TheAppState().helpPath.c_str(), HELP_FINDER, 0);
}

void About(HWND window, bool) {
  DialogBoxParamA(TheUiState().appInstance, IDD_TXABOUT, window, AboutDialogProc, 0);
}

// Exit closes the window exactly as its close box does.
void Exit(HWND window, bool) {
  SendMessageA(window, WM_CLOSE, 0, 0);
}

void Recall(HWND, bool tiled) {
  RecallWallpaper(TheAppState(), tiled);
}

void InstallFromFile(HWND, bool tiled) {
  AppState& state = TheAppState();
  FileDialogs& dialogs = TheFileDialogs();
  ToDialogBuffer(dialogs.pickedWallpaperPath, state.pickedWallpaperPath);
  if (!GetOpenFileNameA(&dialogs.wallpaperFileDialog))
    return;
  state.pickedWallpaperPath = dialogs.pickedWallpaperPath;
  InstallWallpaperFile(state, tiled);
}

struct Command {
  WORD id;
  void (*flow)(HWND window, bool tiled);
  bool tiled;  // for the wallpaper commands: tiled rather than centred
};

// Every command of the menu and the toolbar.
constexpr Command kCommands[] = {
    {IDM_OPEN, Open, false},
    {IDM_SAVE, Save, false},
    {IDM_EXECUTE, Make, false},
    {IDM_TILE, Export, true},
    {IDM_CENTRE, Export, false},
    {IDM_CLEAR, Clear, false},
    {IDM_HELP_CONTENTS, Help, false},
    {IDM_ABOUT, About, false},
    {IDM_EXIT, Exit, false},
    {IDM_RECALL_TILE, Recall, true},
    {IDM_RECALL_CENTRE, Recall, false},
    {IDM_INSTALL_TILE, InstallFromFile, true},
    {IDM_INSTALL_CENTRE, InstallFromFile, false},
};

}  // namespace

void RouteCommand(HWND window, WPARAM wParam) {
  const WORD id = LOWORD(wParam);
  for (const Command& command : kCommands) {
    if (command.id == id) {
      command.flow(window, command.tiled);
      return;
    }
  }
}
