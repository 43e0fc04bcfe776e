#include "framework/accessible_label.h"

#include <climits>

namespace qm {

namespace {

// Further than this and a text is no longer read as the control's label.
constexpr int kMostGap = 120;

bool SharesRow(const Rect& a, const Rect& b)
{
    const int middle = (b.top + b.bottom) / 2;
    return middle >= a.top && middle < a.bottom;
}

bool SharesColumn(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right;
}

} // namespace

int NamingLabel(const Rect& control, const std::vector<LabelCandidate>& labels)
{
    int best = -1;
    int bestGap = INT_MAX;
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        const Rect& label = labels[i].bounds;
        if (labels[i].caption.empty())
            continue;
        const int gap = control.left - label.right;
        if (gap >= -2 && gap <= kMostGap && SharesRow(control, label) && gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    if (best >= 0)
        return best;
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        const Rect& label = labels[i].bounds;
        if (labels[i].caption.empty())
            continue;
        const int gap = control.top - label.bottom;
        if (gap >= -2 && gap <= kMostGap / 4 && SharesColumn(control, label) && gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return best;
}

} // namespace qm
