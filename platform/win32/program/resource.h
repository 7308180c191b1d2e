#pragma once
// Resource ids shared by kr2_s1.rc and the code.

#define IDI_PROGRAM 1    // the program icon: window icon and the About picture
#define IDB_PICTURE 101  // the main window's picture (RCDATA, packed)
