#pragma once
#include "framework/class_registry.h"

namespace qm {

// Every component class the program's window descriptions name.
void RegisterAppClasses(ClassRegistry& registry);

} // namespace qm
