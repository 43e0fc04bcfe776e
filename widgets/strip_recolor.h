#pragma once
// Digit strips are drawn in silver (lit) and grey (unlit) on black; loading
// one paints those two in the display's palette.
#include <cstddef>
#include <cstdint>

#include "framework/colors.h"

namespace qm {

// `pixels` holds rows of 24-bit blue-green-red pixels, `stride` bytes apart.
void RecolorStrip(std::uint8_t* pixels, int width, int height, std::size_t stride, Color low, Color high);

} // namespace qm
