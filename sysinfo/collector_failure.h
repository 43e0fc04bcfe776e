#pragma once
// Where every failure to read the system goes: one error box with no owner
// window, titled by the step that failed ("TCPU.GetInfo",
// "TDisplay.GetVideoBIOSInfo"). The services decide what a box is: a window
// in the program, a line on standard error in the console tool, a record in
// tests.
#include <exception>
#include <string>
#include <string_view>

#include "platform/system_services.h"

namespace qm {

// Runs one step that reads the system. A failure is shown titled `title` and
// goes no further: what the step wrote before it failed stays.
template <class Step> void RunGuarded(SystemServices& services, std::string_view title, Step&& step)
{
    try {
        step();
    } catch (const std::exception& failure) {
        services.ShowMessage({failure.what(), std::string(title), MessageIcon::Error, MessageButtons::Ok, false});
    }
}

} // namespace qm
