#pragma once
#include "framework/class_registry.h"

namespace qm {

// The framework's own classes: the drawn panel, image, label and flat button,
// the menus, the system's controls and the non-visual image list and dialogs.
void RegisterStandardClasses(ClassRegistry& registry);

} // namespace qm
