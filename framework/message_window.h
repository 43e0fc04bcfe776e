#pragma once
// A hidden window that hands its messages to an owner: what non-visual
// components need for window timers and notifications. An exception from
// the handler goes to the application; the window never lets one through.
#include <windows.h>

#include <functional>

namespace qm {

class MessageWindow {
public:
    // True when the message was handled; `result` is then returned.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    enum class Kind {
        MessageOnly, // receives only what is sent or posted to it
        TopLevel, // hidden but top-level: also hears broadcasts such as "TaskbarCreated"
    };

    explicit MessageWindow(Handler handler, Kind kind = Kind::MessageOnly);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    Handler handler_;
    HWND window_ = nullptr;
};

} // namespace qm
