#pragma once
// Every resource and control number of the program, shared by the resource script and the code.
// The numbers are the user interface's vocabulary: a toolbar command's tooltip string is the
// command number plus 1000.

// Commands: menu items and toolbar buttons.
#define IDM_OPEN 1000
#define IDM_SAVE 1001
#define IDM_EXECUTE 1002
#define IDM_TILE 1003
#define IDM_CENTRE 1004
#define IDM_CLEAR 1005
#define IDM_HELP_CONTENTS 1006
#define IDM_ABOUT 1007
#define IDM_EXIT 1008
#define IDM_RECALL_TILE 40026
#define IDM_INSTALL_TILE 40027
#define IDM_INSTALL_CENTRE 40028
#define IDM_RECALL_CENTRE 40029

// Tooltip strings, one per toolbar command.
#define IDS_TIP_OFFSET 1000
#define IDS_OPEN 2000
#define IDS_SAVE 2001
#define IDS_EXECUTE 2002
#define IDS_TILE 2003
#define IDS_CENTRE 2004
#define IDS_CLEAR 2005
#define IDS_HELP_CONTENTS 2006

// The toolbar's image strip: seven 16 x 16 images.
#define IDB_TOOLBAR 1100

// Named resources.
#define IDR_ZELMORA "ZELMORA"  // the menu and the icon group (one image, number 1)
#define IDD_TXSIZE "TXSIZE"
#define IDD_TXABOUT "TXABOUT"

// Controls of the target-size dialog.
#define IDC_WIDTH_FIELD 1011
#define IDC_HEIGHT_FIELD 1012
#define IDC_SIZE_NOTE 1013

// Controls of the main window.
#define IDC_TOOLBAR 800
#define IDC_COUNT_SPINNER 3000
#define IDC_COUNT_FIELD 3001

// The dialogs' unnumbered static controls.
#define IDC_STATIC_TEXT (-1)
