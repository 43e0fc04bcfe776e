#include "framework/message_window.h"

namespace qm {

MessageWindow::MessageWindow(Handler handler, Kind kind, const char* title, const char* className)
    : handler_(std::move(handler))
{
    const bool topLevel = kind == Kind::TopLevel;
    CreateBoundWindow(OwnWindowClass(className), topLevel ? WS_EX_TOOLWINDOW : 0, title, topLevel ? WS_POPUP : 0, 0, 0,
                      0, 0, topLevel ? nullptr : HWND_MESSAGE);
}

MessageWindow::~MessageWindow()
{
    // Gone before the handler it would call.
    DestroyBoundWindow();
}

LRESULT MessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (handler_ && handler_(message, wParam, lParam, result))
        return result;
    return DefaultHandling(message, wParam, lParam);
}

} // namespace qm
