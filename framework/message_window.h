#pragma once
// A hidden window that hands its messages to an owner: what non-visual
// components need for window timers and notifications. An exception from
// the handler goes to the application; the window never lets one through.
#include <functional>

#include "framework/window_object.h"

namespace qm {

class MessageWindow : public WindowObject {
public:
    // True when the message was handled; `result` is then returned.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    enum class Kind {
        MessageOnly, // receives only what is sent or posted to it
        TopLevel, // hidden but top-level: also hears broadcasts such as "TaskbarCreated"
    };

    explicit MessageWindow(Handler handler, Kind kind = Kind::MessageOnly, const char* title = "",
                           const char* className = "QuarrimondMessageWindow");
    ~MessageWindow() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Handler handler_;
};

} // namespace qm
