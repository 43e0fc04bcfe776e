#pragma once
// Docking of child controls inside their parent's client area: top, bottom,
// left and right edges are taken in that order, then the client rest.
#include <vector>

#include "framework/geometry.h"

namespace qm {

enum class Align { None, Top, Bottom, Left, Right, Client };

struct AlignItem {
    Align align = Align::None;
    bool visible = true;
    Rect bounds; // current bounds; the result replaces them
};

// Places every visible aligned item. Items docked to the same edge keep their
// order along it: the one nearest that edge now stays nearest (ties: the
// earlier item). Hidden and unaligned items keep their bounds.
void AlignItems(const Rect& client, std::vector<AlignItem>& items);

} // namespace qm
