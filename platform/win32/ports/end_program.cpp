#include <windows.h>

#include "win32_ports.h"

namespace kr2 {

void Win32ProgramEnd::EndProgram() {
    // At once: no window procedure, no destructor, no atexit handler runs.
    ExitProcess(0);
}

}  // namespace kr2
