#pragma once
// Where a scope draws its grid, baseline and traces, for a given size: the
// drawing layer only strokes what this computes.
#include <vector>

#include "widgets/scope_history.h"

namespace qm {

struct ScopePoint {
    int x, y;
    friend bool operator==(const ScopePoint&, const ScopePoint&) = default;
};

struct ScopeScale {
    int minValue = 0;
    int maxValue = 100;
    int gridSize = 16;
    int baseOffset = 50; // percent of the height
    int frequency = 1; // pixels per sample
};

int ScopeBaseY(int height, int baseOffset);
// x of every vertical grid line, scrolled left by `offset`.
std::vector<int> ScopeVerticalGrid(int width, int gridSize, int offset);
// y of every horizontal grid line, above then below the baseline.
std::vector<int> ScopeHorizontalGrid(int height, int baseY, int gridSize);
// y at which a sample is drawn: whole percent steps, 100 % at the top edge.
int ScopeSampleY(int value, int height, const ScopeScale& scale);

enum class ScopeStyle { Line, Bar };

// The trace as a polyline: the first point is a move, the rest are line ends.
std::vector<ScopePoint> ScopeTrace(const ScopeHistory& history, int width, int height, const ScopeScale& scale,
                                   ScopeStyle style);

} // namespace qm
