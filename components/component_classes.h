#pragma once
#include "framework/class_registry.h"

namespace qm {

// The non-visual components and the wizard, for window descriptions.
void RegisterComponentClasses(ClassRegistry& registry);

} // namespace qm
