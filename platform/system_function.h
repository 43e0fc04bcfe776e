#pragma once
// A system function found by name, for those some supported Windows versions
// lack: importing one would keep the program from starting there at all.
#include <windows.h>

namespace qm {

// Null when `module` or the function is missing. A module not yet loaded is
// loaded and kept for the process.
template <class Function> Function SystemFunction(const char* module, const char* name)
{
    HMODULE handle = GetModuleHandleA(module);
    if (!handle)
        handle = LoadLibraryA(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

} // namespace qm
