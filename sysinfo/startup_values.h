#pragma once
// Values every collector may read, computed once at start, before any
// window, collector or thread exists, and never changed afterwards.
#include <string>

#include "sysinfo/os_kind.h"

namespace qm {

struct StartupValues {
    TOSKind OSKind = TOSKind::osUnknown;
    bool IsNT = false, Is95 = false, IsOSR2 = false, Is98 = false, IsSE = false, IsME = false, Is2K = false,
         IsXP = false;
    std::string OSName, UserName, ComputerName, ProfilePath, ClassKey;
};

// What follows from the kind and the three texts read at start. Windows
// after XP has no kind of its own but is still of the NT family: its keys
// are the NT ones.
StartupValues MakeStartupValues(TOSKind kind, bool ntPlatform, std::string userName, std::string computerName,
                                std::string profilePath);

// This process's values (Windows only): computed on the first call, which
// the programs make before anything else.
const StartupValues& TheStartupValues();

} // namespace qm
