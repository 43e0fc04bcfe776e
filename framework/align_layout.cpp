#include "framework/align_layout.h"

#include <algorithm>

namespace qm {

namespace {

// How near an item is to the edge it docks to: smaller is nearer.
int DistanceFromEdge(const AlignItem& item)
{
    switch (item.align) {
    case Align::Top:
        return item.bounds.top;
    case Align::Bottom:
        return -item.bounds.bottom;
    case Align::Left:
        return item.bounds.left;
    case Align::Right:
        return -item.bounds.right;
    default:
        return 0;
    }
}

} // namespace

void AlignItems(const Rect& client, std::vector<AlignItem>& items)
{
    Rect rest = client;
    for (Align edge : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        std::vector<AlignItem*> docked;
        for (AlignItem& item : items)
            if (item.visible && item.align == edge)
                docked.push_back(&item);
        std::stable_sort(docked.begin(), docked.end(), [](const AlignItem* a, const AlignItem* b) {
            return DistanceFromEdge(*a) < DistanceFromEdge(*b);
        });
        for (AlignItem* item : docked) {
            Rect& r = item->bounds;
            int w = r.Width(), h = r.Height();
            switch (edge) {
            case Align::Top:
                r = {rest.left, rest.top, rest.right, rest.top + h};
                rest.top += h;
                break;
            case Align::Bottom:
                r = {rest.left, rest.bottom - h, rest.right, rest.bottom};
                rest.bottom -= h;
                break;
            case Align::Left:
                r = {rest.left, rest.top, rest.left + w, rest.bottom};
                rest.left += w;
                break;
            case Align::Right:
                r = {rest.right - w, rest.top, rest.right, rest.bottom};
                rest.right -= w;
                break;
            case Align::Client:
                r = rest;
                break;
            case Align::None:
                break;
            }
        }
    }
}

} // namespace qm
