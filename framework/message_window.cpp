#include "framework/message_window.h"

#include "framework/application.h"

namespace qm {

namespace {

constexpr char kClassName[] = "QuarrimondMessageWindow";

const char* RegisteredClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA; // replaced per window below
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    return kClassName;
}

} // namespace

MessageWindow::MessageWindow(Handler handler, Kind kind) : handler_(std::move(handler))
{
    const bool topLevel = kind == Kind::TopLevel;
    window_ = CreateWindowExA(topLevel ? WS_EX_TOOLWINDOW : 0, RegisteredClass(), "", topLevel ? WS_POPUP : 0, 0, 0, 0,
                              0, topLevel ? nullptr : HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageWindow::WindowProc));
}

MessageWindow::~MessageWindow()
{
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->handler_) {
        try {
            LRESULT result = 0;
            if (self->handler_(message, wParam, lParam, result))
                return result;
        } catch (...) {
            if (Application::Exists())
                Application::Instance().HandleException(std::current_exception());
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace qm
