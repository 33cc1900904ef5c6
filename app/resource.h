#pragma once

#define IDI_QUILLMARK 1
#define IDC_HAND_POINTER 2
#define IDB_LINK_PICTURE 3
