#include "sysinfo/startup_values.h"

namespace qm {

StartupValues MakeStartupValues(TOSKind kind, bool ntPlatform, std::string userName, std::string computerName,
                                std::string profilePath)
{
    StartupValues values;
    values.OSKind = kind;
    values.IsNT = IsNTKind(kind) || ntPlatform;
    values.Is95 = kind == TOSKind::os95;
    values.IsOSR2 = kind == TOSKind::os95OSR2;
    values.Is98 = kind == TOSKind::os98;
    values.IsSE = kind == TOSKind::os98SE;
    values.IsME = kind == TOSKind::osME;
    values.Is2K = kind == TOSKind::os2K;
    values.IsXP = kind == TOSKind::osXP;
    values.OSName = OSNameOf(kind);
    values.UserName = std::move(userName);
    values.ComputerName = std::move(computerName);
    values.ProfilePath = std::move(profilePath);
    values.ClassKey = ClassKeyFor(values.IsNT);
    return values;
}

} // namespace qm
