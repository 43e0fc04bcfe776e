#pragma once
// Where every collector's failure goes: one error box titled
// "<class name>.GetInfo", with no owner window. The services decide what a
// box is: a window in the program, a line on standard error in the console
// tool, a record in tests.
#include <exception>
#include <string>

#include "platform/system_services.h"

namespace qm {

inline void ReportCollectorFailure(SystemServices& services, const char* className, const std::exception& failure)
{
    std::string caption = className;
    caption += ".GetInfo";
    services.ShowMessage({failure.what(), caption, MessageIcon::Error, MessageButtons::Ok, false});
}

} // namespace qm
