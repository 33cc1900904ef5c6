#pragma once

#define IDI_QUILLMARK 1
#define IDC_HAND_POINTER 2
#define IDB_LINK_PICTURE 3

// The main window's controls, in tab order. Programs that drive the window
// from outside find its controls by these ids too.
#define IDC_COMMAND1 101
#define IDC_CHECK1 102
#define IDC_TEXT1 103
#define IDC_PICTURE1 104
#define IDC_LABEL1 105
#define IDC_LIST1 106
#define IDC_LABEL4 107
#define IDC_IMAGE2 108
