#include "framework/window_object.h"

#include <commctrl.h>

#include <exception>
#include <string>
#include <vector>

#include "framework/application.h"

namespace qm {

namespace {

// Whether this program has registered `name` with `procedure` already: the
// lookup also finds the system's class of that name.
bool ClassRegistered(const char* name, WNDPROC procedure)
{
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &existing) && existing.lpfnWndProc == procedure;
}

// The system procedures behind the derived classes, by class atom. Windows
// keeps classes per process; this mirrors the few we derive. Only windows of
// ours that have no object (those a system control creates inside itself,
// such as a combo box's edit field) need it.
struct DerivedClass {
    ATOM atom;
    WNDPROC baseProcedure;
};
std::vector<DerivedClass>& DerivedClasses()
{
    static std::vector<DerivedClass> classes;
    return classes;
}

void ReportToApplication(std::exception_ptr error)
{
    if (Application::Exists())
        Application::Instance().HandleException(error);
}

} // namespace

WindowClass OwnWindowClass(const char* name, UINT style, HICON icon, HCURSOR cursor)
{
    if (!ClassRegistered(name, &WindowObject::Procedure)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = style;
        windowClass.lpfnWndProc = &WindowObject::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = icon;
        windowClass.hCursor = cursor;
        windowClass.lpszClassName = name;
        RegisterClassExA(&windowClass);
    }
    return WindowClass{name, DefWindowProcA};
}

WindowClass DerivedWindowClass(const char* systemClass)
{
    WNDCLASSEXA system{};
    system.cbSize = sizeof(system);
    if (!GetClassInfoExA(nullptr, systemClass, &system))
        return WindowClass{systemClass, DefWindowProcA};
    if (!ClassRegistered(systemClass, &WindowObject::Procedure)) {
        WNDCLASSEXA derived = system;
        derived.lpfnWndProc = &WindowObject::Procedure;
        derived.hInstance = GetModuleHandleA(nullptr);
        derived.lpszClassName = systemClass;
        // The system's classes are global; ours belongs to this program.
        derived.style &= ~CS_GLOBALCLASS;
        if (const ATOM atom = RegisterClassExA(&derived))
            DerivedClasses().push_back({atom, system.lpfnWndProc});
    }
    return WindowClass{systemClass, system.lpfnWndProc};
}

void EnsureCommonControls()
{
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    done = InitCommonControlsEx(&controls) != FALSE;
}

WindowClass CommonControlClass(const char* systemClass)
{
    EnsureCommonControls();
    return DerivedWindowClass(systemClass);
}

WindowObject::~WindowObject()
{
    DestroyBoundWindow();
}

WindowObject* WindowObject::FromHandle(HWND window)
{
    if (!window || GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Procedure))
        return nullptr;
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND WindowObject::CreateBoundWindow(const WindowClass& windowClass, DWORD exStyle, const char* text, DWORD style,
                                     int x, int y, int width, int height, HWND parent, HMENU menuOrId)
{
    DestroyBoundWindow();
    baseProcedure_ = windowClass.baseProcedure;
    CreateWindowExA(exStyle, windowClass.name, text, style, x, y, width, height, parent, menuOrId,
                    GetModuleHandleA(nullptr), this);
    return window_;
}

void WindowObject::DestroyBoundWindow()
{
    if (window_)
        DestroyWindow(window_);
}

LRESULT WindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultHandling(message, wParam, lParam);
}

LRESULT WindowObject::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(baseProcedure_, window_, message, wParam, lParam);
}

WindowObject* WindowObject::ReflectionTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            child = GetDlgItem(window, static_cast<int>(item->CtlID));
        break;
    }
    case WM_COMPAREITEM:
        child = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        return nullptr;
    }
    (void)wParam;
    if (!child || child == window)
        return nullptr;
    return FromHandle(child);
}

LRESULT WindowObject::UnboundMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ATOM atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    for (const DerivedClass& derived : DerivedClasses())
        if (derived.atom == atom)
            return CallWindowProcA(derived.baseProcedure, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowObject::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (auto* self = static_cast<WindowObject*>(create->lpCreateParams)) {
            self->window_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return UnboundMessage(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The system control frees its own data first; then the object lets go.
        const LRESULT result = self->DefaultHandling(message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        try {
            self->HandleDestroyed();
        } catch (...) {
            ReportToApplication(std::current_exception());
        }
        return result;
    }
    // No exception may cross into the system's code: it goes to the application.
    try {
        if (WindowObject* child = ReflectionTarget(window, message, wParam, lParam)) {
            LRESULT result = 0;
            if (child->HandleReflected(message, wParam, lParam, result))
                return result;
        }
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportToApplication(std::current_exception());
        return 0;
    }
}

} // namespace qm
