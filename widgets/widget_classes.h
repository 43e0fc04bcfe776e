#pragma once
#include "framework/class_registry.h"

namespace qm {

// The instrument widgets, for window descriptions.
void RegisterWidgetClasses(ClassRegistry& registry);

} // namespace qm
