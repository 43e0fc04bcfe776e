#pragma once
// Where the light strip puts its lights: centred, in the chosen order,
// leaving out the hidden ones.
#include <vector>

#include "framework/geometry.h"
#include "widgets/track_geometry.h"

namespace qm {

enum class TVrLightsState { lsGreen, lsYellow, lsRed };
enum class TVrLightsOrder { loGreenToRed, loRedToGreen };

// Sets of lights as bits: bit 0 green, 1 yellow, 2 red.
inline constexpr int LightBit(TVrLightsState light)
{
    return 1 << static_cast<int>(light);
}

struct PlacedLight {
    TVrLightsState light;
    Rect bounds;
};

std::vector<PlacedLight> PlaceLights(int width, int height, int visible, TVrLightsOrder order,
                                     TVrOrientation orientation, int lightWidth, int lightHeight, int spacing);

} // namespace qm
