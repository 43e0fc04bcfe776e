#include "widgets/strip_recolor.h"

namespace qm {

void RecolorStrip(std::uint8_t* pixels, int width, int height, std::size_t stride, Color low, Color high)
{
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = pixels + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, p += 3) {
            Color target;
            if (p[0] == 128 && p[1] == 128 && p[2] == 128)
                target = low;
            else if (p[0] == 192 && p[1] == 192 && p[2] == 192)
                target = high;
            else
                continue;
            p[0] = BlueOf(target);
            p[1] = GreenOf(target);
            p[2] = RedOf(target);
        }
    }
}

} // namespace qm
