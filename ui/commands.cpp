#include "ui/commands.h"

#include "ui/resource.h"

namespace {

// Not wired yet: open, save, make, the wallpaper commands, help and the About box come with the
// dialogs and the wallpaper operations. Until then choosing them does nothing, like any id
// outside the table.
void NotWiredYet(HWND, bool) {}

// Exit closes the window exactly as its close box does.
void Exit(HWND window, bool) {
  SendMessageA(window, WM_CLOSE, 0, 0);
}

struct Command {
  WORD id;
  void (*flow)(HWND window, bool tiled);
  bool tiled;  // for the wallpaper commands: tiled rather than centred
};

// Every command of the menu and the toolbar.
constexpr Command kCommands[] = {
    {IDM_OPEN, NotWiredYet, false},
    {IDM_SAVE, NotWiredYet, false},
    {IDM_EXECUTE, NotWiredYet, false},
    {IDM_TILE, NotWiredYet, true},
    {IDM_CENTRE, NotWiredYet, false},
    {IDM_CLEAR, NotWiredYet, false},
    {IDM_HELP_CONTENTS, NotWiredYet, false},
    {IDM_ABOUT, NotWiredYet, false},
    {IDM_EXIT, Exit, false},
    {IDM_RECALL_TILE, NotWiredYet, true},
    {IDM_RECALL_CENTRE, NotWiredYet, false},
    {IDM_INSTALL_TILE, NotWiredYet, true},
    {IDM_INSTALL_CENTRE, NotWiredYet, false},
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
