#include "framework/dialog_navigation.h"

#include <algorithm>

#include "platform/text_case.h"

namespace qm {

namespace {

using Kind = NavigationNode::Kind;

bool Usable(const NavigationNode& node)
{
    return node.visible && node.enabled;
}

void CollectStops(const NavigationNode& node, std::vector<int>& stops)
{
    for (const NavigationNode& child : node.children) {
        if (!Usable(child))
            continue;
        if (child.kind == Kind::Container) {
            if (child.focusable && child.tabStop)
                stops.push_back(child.id);
            CollectStops(child, stops);
        } else if (child.tabStop && child.kind != Kind::Label) {
            stops.push_back(child.id);
        }
    }
}

// Every usable node in depth-first order, containers included.
void CollectAll(const NavigationNode& node, std::vector<const NavigationNode*>& all)
{
    for (const NavigationNode& child : node.children) {
        if (!Usable(child))
            continue;
        all.push_back(&child);
        if (child.kind == Kind::Container)
            CollectAll(child, all);
    }
}

const NavigationNode* ParentOf(const NavigationNode& node, int id)
{
    for (const NavigationNode& child : node.children) {
        if (child.id == id)
            return &node;
        if (const NavigationNode* found = ParentOf(child, id))
            return found;
    }
    return nullptr;
}

} // namespace

std::vector<int> TabSequence(const NavigationNode& root)
{
    std::vector<int> stops;
    CollectStops(root, stops);
    return stops;
}

std::optional<int> NextTabStop(const NavigationNode& root, int current, bool backwards)
{
    const std::vector<int> stops = TabSequence(root);
    if (stops.empty())
        return std::nullopt;
    auto it = std::find(stops.begin(), stops.end(), current);
    if (it == stops.end())
        return backwards ? stops.back() : stops.front();
    const auto size = static_cast<std::ptrdiff_t>(stops.size());
    const auto index = (it - stops.begin() + (backwards ? size - 1 : 1)) % size;
    return stops[static_cast<size_t>(index)];
}

std::optional<int> NextInGroup(const NavigationNode& root, int current, bool backwards)
{
    const NavigationNode* parent = ParentOf(root, current);
    if (!parent)
        return std::nullopt;
    const auto& siblings = parent->children;
    const auto self = std::find_if(siblings.begin(), siblings.end(), [&](const auto& n) { return n.id == current; });
    if (self->kind != Kind::Radio)
        return std::nullopt;
    // The run of radio buttons around `current`.
    auto first = self, last = self;
    while (first != siblings.begin() && (first - 1)->kind == Kind::Radio)
        --first;
    while (last + 1 != siblings.end() && (last + 1)->kind == Kind::Radio)
        ++last;
    const auto count = last - first + 1;
    for (std::ptrdiff_t step = 1; step < count; ++step) {
        const auto offset = ((self - first) + (backwards ? count - step : step)) % count;
        const NavigationNode& candidate = *(first + offset);
        if (Usable(candidate))
            return candidate.id;
    }
    return std::nullopt;
}

std::optional<char> MnemonicOf(std::string_view caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return LowerAscii(caption[i + 1]);
    }
    return std::nullopt;
}

std::optional<MnemonicAction> MnemonicTarget(const NavigationNode& root, int current, char key)
{
    const char wanted = LowerAscii(key);
    std::vector<const NavigationNode*> all;
    CollectAll(root, all);
    if (all.empty())
        return std::nullopt;
    auto start = std::find_if(all.begin(), all.end(), [&](const NavigationNode* n) { return n->id == current; });
    const size_t from = start == all.end() ? 0 : static_cast<size_t>(start - all.begin()) + 1;
    for (size_t step = 0; step < all.size(); ++step) {
        const NavigationNode& node = *all[(from + step) % all.size()];
        if (MnemonicOf(node.caption) != wanted)
            continue;
        switch (node.kind) {
        case Kind::Label:
        case Kind::Container: {
            // The control after the label, in tab order, takes the focus.
            const std::vector<int> stops = TabSequence(root);
            std::vector<int> order;
            for (const NavigationNode* n : all)
                order.push_back(n->id);
            const auto labelAt = std::find(order.begin(), order.end(), node.id);
            for (auto it = labelAt + 1; it != order.end(); ++it)
                if (std::find(stops.begin(), stops.end(), *it) != stops.end())
                    return MnemonicAction{MnemonicAction::Kind::Focus, *it};
            return std::nullopt;
        }
        case Kind::Button:
        case Kind::Radio:
            return MnemonicAction{MnemonicAction::Kind::Click, node.id};
        case Kind::Other:
            if (node.tabStop)
                return MnemonicAction{MnemonicAction::Kind::Focus, node.id};
            break;
        }
    }
    return std::nullopt;
}

} // namespace qm
