#pragma once
// The one way a C++ object owns a window. The object is bound when its window
// is created (WM_NCCREATE, from the creation parameter) and unbound when the
// window goes (WM_NCDESTROY). Forms, drawn controls, the system's own controls
// (through a class of ours derived from the system's) and hidden message
// windows all use it. A notification a child window sends its parent
// (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*, scrolling) is handed to
// the child's own object first.
#include <windows.h>

namespace qm {

// A window class the binding procedure serves, and what the class does by
// itself: DefWindowProc for our own classes, the system control's procedure
// for classes derived from a system one.
struct WindowClass {
    const char* name = nullptr;
    WNDPROC baseProcedure = DefWindowProcA;
};

// Registers (once per name) a class of our own.
WindowClass OwnWindowClass(const char* name, UINT style = 0, HICON icon = nullptr,
                           HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW));
// Registers (once per name) a class of this program named as the system class
// `systemClass` ("BUTTON", "SysListView32") and derived from it: windows of it
// behave as the system's control does, with their messages going through
// their object. Under the same name, everything that looks for the system's
// class (FindWindow, the dialog manager) finds ours alike.
WindowClass DerivedWindowClass(const char* systemClass);
// Loads the common-controls library and registers its classes, once: it is
// loaded on first use, so only a program that shows one of its controls (a
// list, a tree, tabs, a progress bar, a hint) pays for it.
void EnsureCommonControls();
// DerivedWindowClass for a class of the common-controls library.
WindowClass CommonControlClass(const char* systemClass);

class WindowObject {
public:
    WindowObject() = default;
    // Destroys the window if it still exists. Messages it receives while
    // going reach only this base: derived parts are already gone.
    virtual ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND Handle() const { return window_; }
    bool HandleAllocated() const { return window_ != nullptr; }
    // The object bound to a window of this process; null for windows that
    // are not ours.
    static WindowObject* FromHandle(HWND window);

protected:
    // Creates a window of `windowClass` bound to this object; null on failure.
    HWND CreateBoundWindow(const WindowClass& windowClass, DWORD exStyle, const char* text, DWORD style, int x, int y,
                           int width, int height, HWND parent, HMENU menuOrId = nullptr);
    // Destroys the window now; its WM_NCDESTROY unbinds it.
    void DestroyBoundWindow();

    // Every message of the window. The default is what the class does by itself.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification this window sent its parent; true when handled, and then
    // `result` is the parent's answer.
    virtual bool HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // The window is gone (after WM_NCDESTROY); Handle() is null already.
    virtual void HandleDestroyed() {}

private:
    friend WindowClass OwnWindowClass(const char*, UINT, HICON, HCURSOR);
    friend WindowClass DerivedWindowClass(const char*);
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    static WindowObject* ReflectionTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT UnboundMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC baseProcedure_ = DefWindowProcA;
};

} // namespace qm
