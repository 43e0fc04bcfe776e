#pragma once
// What a screen reader learns of a control the program draws itself: the
// answer to WM_GETOBJECT, and the events that tell it a value changed.
#include <windows.h>

#include <optional>
#include <string>

namespace qm {

enum class AccessibleRole { StaticText, Graphic, PushButton, Indicator, Slider, ProgressBar, Chart };

struct AccessibleFacts {
    AccessibleRole role = AccessibleRole::StaticText;
    std::string name;
    std::optional<std::string> value;
    bool unavailable = false;
    bool focusable = false;
    bool focused = false;
    // A press is its default action ("Press"), done as a click.
    bool pressable = false;
};

// The answer to WM_GETOBJECT for the client area of `window`, a drawn
// control of ours; what the window does by itself for anything else. The
// object reads the control's facts afresh on every question, and fails
// politely once the control has gone.
LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam);

// The message a drawn control gets when a screen reader presses it.
UINT AccessiblePressMessage();

// Tells listening screen readers that the control's value or name changed.
void AnnounceValueChange(HWND window);
void AnnounceNameChange(HWND window);

} // namespace qm
