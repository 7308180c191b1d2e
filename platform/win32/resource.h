#pragma once
// Resource ids shared by the resource script (program/) and the code that
// loads them (screen/).

#define IDI_PROGRAM 1    // the program icon: window icon and the About picture
#define IDB_PICTURE 101  // the main window's picture (RCDATA, packed)
