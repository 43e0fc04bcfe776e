#pragma once
// Pictures and window descriptions are resources of the executable.
#include <windows.h>

#include <string>

#include "platform/device_context.h"

namespace qm {

// The RCDATA resource `name` as text; throws EFormDescription when missing.
std::string LoadTextResource(const char* name);
// A bitmap resource; an empty object when missing.
Bitmap LoadBitmapResource(const std::string& name);
// Whether the executable has a picture of that name, without loading it.
bool HasBitmapResource(const std::string& name);
SIZE BitmapSize(HBITMAP bitmap);

} // namespace qm
