#pragma once
// What the platform tells the ports and the screen: the running executable's
// path and the text for an error number.

#include <string>

namespace kr2 {

// The running executable's full path. The buffer starts at `initialSize`
// characters and doubles until the name fits. Throws RunTimeFailure.
std::wstring ModuleFileName(unsigned long initialSize = 260);

// The platform's text for an error number, without its trailing line end;
// empty if the platform has none.
std::wstring SystemErrorText(unsigned long code);

}  // namespace kr2
