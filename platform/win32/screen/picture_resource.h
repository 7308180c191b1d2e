#pragma once
// The main window's picture, stored packed as an RCDATA resource.

#include <windows.h>

namespace kr2 {

// A 24 bits per pixel DIB section holding the picture, owned by the caller;
// throws (RunTimeFailure) when the resource is missing or damaged.
HBITMAP LoadPackedPicture(HINSTANCE instance, int id);

}  // namespace kr2
