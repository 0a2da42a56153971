#include "ui/dialogs.h"

#include <commctrl.h>

#include "ui/resource.h"
#include "ui/ui_state.h"

namespace {
constexpr int kHighestTargetSize = 10000;
constexpr char kSizeNoteFormat[] =
    "注意：作成する画像ｻｲｽﾞは、読込む画像ｻｲｽﾞ(X=%d Y=%d)\nと同じか、大きく設定して下さい。";
// The fixed text with two five-digit sizes takes 91 bytes with its terminator.
constexpr int kSizeNoteRoom = 100;

// UDS_NOTHOUSANDS: without it a position of 1000 or more is shown with a digit-group separator,
// and the reading on OK would stop there.
HWND CreateSizeSpinner(HWND dialog, int field, int lowest) {
  return CreateUpDownControl(
      WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 0, 0,
      dialog, IDC_COUNT_SPINNER, TheUiState().appInstance, GetDlgItem(dialog, field),
      kHighestTargetSize, lowest, lowest);
}

void StartSizeDialog(HWND dialog) {
  UiState& ui = TheUiState();
  const AppState& state = TheAppState();
  // The lower bounds are the source size, so the down arrows never go below it.
  ui.widthSpinner = CreateSizeSpinner(dialog, IDC_WIDTH_FIELD, state.targetWidth);
  ui.heightSpinner = CreateSizeSpinner(dialog, IDC_HEIGHT_FIELD, state.targetHeight);
  char note[kSizeNoteRoom];
  wsprintfA(note, kSizeNoteFormat, state.targetWidth, state.targetHeight);
  SetDlgItemTextA(dialog, IDC_SIZE_NOTE, note);
}

// Values go back as read, 0 for what is no number; raising them to the source size is the
// open command's next step.
void ReadSizeFields(HWND dialog) {
  AppState& state = TheAppState();
  state.targetWidth =
      static_cast<std::int32_t>(GetDlgItemInt(dialog, IDC_WIDTH_FIELD, nullptr, FALSE));
  state.targetHeight =
      static_cast<std::int32_t>(GetDlgItemInt(dialog, IDC_HEIGHT_FIELD, nullptr, FALSE));
  SendMessageA(dialog, WM_CLOSE, 0, 0);
}

void CloseSizeDialog(HWND dialog) {
  UiState& ui = TheUiState();
  DestroyWindow(ui.widthSpinner);
  DestroyWindow(ui.heightSpinner);
  ui.widthSpinner = nullptr;
  ui.heightSpinner = nullptr;
  EndDialog(dialog, 0);
}
}  // namespace

INT_PTR CALLBACK SizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      StartSizeDialog(dialog);
      return TRUE;  // the focus goes to the first tab stop, the OK button
    case WM_COMMAND:
      // Anything else, IDCANCEL from Esc and the fields' notifications included, does nothing.
      if (LOWORD(wParam) == IDOK)
        ReadSizeFields(dialog);
      return TRUE;
    case WM_CLOSE:
      CloseSizeDialog(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}
