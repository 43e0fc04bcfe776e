#pragma once
// The dialog keyboard of every window, as plain logic: where Tab and
// Shift+Tab go, which controls an arrow key moves among, and what an "&"
// mnemonic reaches. The window layer describes its controls as a tree of
// nodes and acts on the answers; the same rules hold on every system.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct NavigationNode {
    enum class Kind {
        Other, // edits, lists, trees: take the focus
        Button, // push buttons and check boxes: a mnemonic clicks them
        Radio, // radio buttons: a mnemonic checks them, arrows move among them
        Label, // static texts: a mnemonic moves the focus to the control after them
        Container, // panels, group boxes, sheets: only their children count
    };

    int id = 0;
    Kind kind = Kind::Other;
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    // A container that can itself take the focus (a tab strip holding its pages).
    bool focusable = false;
    std::string caption;
    // In tab order.
    std::vector<NavigationNode> children;
};

// Every control Tab stops at, depth first: a focusable container before what
// it holds; hidden or disabled ones and everything inside them are skipped.
std::vector<int> TabSequence(const NavigationNode& root);

// The next (or previous) stop after `current`, wrapping around; the first
// (or last) stop when `current` is not one; nothing without stops.
std::optional<int> NextTabStop(const NavigationNode& root, int current, bool backwards);

// The arrow keys: the next radio button of the run `current` is in, wrapping
// within it. Nothing when `current` is not a radio button.
std::optional<int> NextInGroup(const NavigationNode& root, int current, bool backwards);

// The mnemonic character of a caption: the character after a single "&",
// lower-cased; nothing without one ("&&" is a literal "&").
std::optional<char> MnemonicOf(std::string_view caption);

struct MnemonicAction {
    enum class Kind { Focus, Click };
    Kind kind;
    int id;
};

// What pressing `key` as a mnemonic does: the first visible, enabled control
// after `current` (wrapping) whose caption has that mnemonic; a label hands
// the focus to the next tab stop after it; buttons and radio buttons are
// clicked, other controls focused.
std::optional<MnemonicAction> MnemonicTarget(const NavigationNode& root, int current, char key);

} // namespace qm
