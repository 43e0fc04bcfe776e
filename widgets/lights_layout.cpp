#include "widgets/lights_layout.h"

namespace qm {

std::vector<PlacedLight> PlaceLights(int width, int height, int visible, TVrLightsOrder order,
                                     TVrOrientation orientation, int lightWidth, int lightHeight, int spacing)
{
    TVrLightsState sequence[] = {TVrLightsState::lsGreen, TVrLightsState::lsYellow, TVrLightsState::lsRed};
    if (order == TVrLightsOrder::loRedToGreen)
        std::swap(sequence[0], sequence[2]);
    int count = 0;
    for (TVrLightsState light : sequence)
        count += (visible & LightBit(light)) ? 1 : 0;
    std::vector<PlacedLight> placed;
    if (count == 0)
        return placed;
    const bool horizontal = orientation == TVrOrientation::voHorizontal;
    int x = horizontal ? (width - (count * lightWidth + (count - 1) * spacing)) / 2 : (width - lightWidth) / 2;
    int y = horizontal ? (height - lightHeight) / 2 : (height - (count * lightHeight + (count - 1) * spacing)) / 2;
    for (TVrLightsState light : sequence) {
        if (!(visible & LightBit(light)))
            continue;
        placed.push_back({light, Rect::FromBounds(x, y, lightWidth, lightHeight)});
        (horizontal ? x : y) += (horizontal ? lightWidth : lightHeight) + spacing;
    }
    return placed;
}

} // namespace qm
