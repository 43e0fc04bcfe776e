#pragma once
// The gradient progress bar's model: how much of the bar is filled and the
// blocks that show it, and the colours of its gradient.
#include <vector>

#include "framework/colors.h"
#include "framework/geometry.h"
#include "widgets/track_geometry.h"

namespace qm {

// Round((position - min) * 100 / (max - min)); 0 for an empty range.
int ProgressPercent(int position, int minValue, int maxValue);

// The rectangles drawn inside `inner` for `percent`: one bar when smooth,
// else blocks of a pitch of two thirds of the bar's thickness.
std::vector<Rect> ProgressBlocks(const Rect& inner, int percent, TVrOrientation orientation, bool smooth);

// Column `x` of `width` from `start` toward `end`, each channel rounded and
// clamped (colours given as plain RGB).
Color GradientColumn(Color start, Color end, int x, int width);

} // namespace qm
