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

// The main window's system menu item that opens the network stack window: a
// multiple of 16, for the system keeps the low four bits of WM_SYSCOMMAND.
#define IDM_NETWORK_STACK 0x0110

// The network stack window's controls, in tab order.
#define IDC_NS_MACHINE_LABEL 201
#define IDC_NS_MACHINE 202
#define IDC_NS_REFRESH 203
#define IDC_NS_ALL 204
#define IDC_NS_SUMMARY 205
#define IDC_NS_VERDICTS 206
#define IDC_NS_STATUS 207
#define IDC_NS_LIST 208
#define IDC_NS_COPY 209
#define IDC_NS_SAVE 210
// The host of the progress bar, shown while a read runs.
#define IDC_NS_PROGRESS 211
