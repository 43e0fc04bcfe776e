#pragma once
// Which text names a drawn control for a screen reader when it has no caption
// of its own: the label a person reads it by. That is the nearest label on its
// row to its left (a figure after its caption), else the nearest one just
// above it (a control under its heading).
#include <string>
#include <vector>

#include "framework/geometry.h"

namespace qm {

struct LabelCandidate {
    Rect bounds; // in the same coordinates as the control's, its form's client area
    std::string caption;
};

// The index in `labels` of the label that names `control`; -1 for none.
int NamingLabel(const Rect& control, const std::vector<LabelCandidate>& labels);

} // namespace qm
