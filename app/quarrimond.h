#pragma once
#include "framework/application.h"

namespace qm {

// Start-up: title, help file and the four windows in their order.
void CreateQuarrimondWindows(Application& application);

} // namespace qm
