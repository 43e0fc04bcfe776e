#pragma once
// The labels of a scale beside a meter: their texts, cells and colours.
#include <string>
#include <vector>

#include "framework/colors.h"
#include "framework/geometry.h"

namespace qm {

struct ScaleOptions {
    int minValue = 0, maxValue = 100, ticks = 5;
    int digits = 3;
    bool leadingZero = false;
    bool showSign = true;
    bool vertical = false;
    int peakLevel = 80;
    Color fontColor = clGreen, peakColor = clLime;
};

struct ScaleLabel {
    std::string text;
    Rect cell;
    Color color;
};

// Ticks + 1 labels from MinValue up: vertical scales from the bottom cell up,
// horizontal ones from the left.
std::vector<ScaleLabel> LayoutScale(const ScaleOptions& options, int width, int height);

} // namespace qm
