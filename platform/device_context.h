#pragma once
// Device contexts: selections, memory DCs, window (and screen) DCs and
// painting, each released by its owner. The GDI objects drawn with are in
// unique_resource.h.
#include <windows.h>

#include "platform/unique_resource.h"

namespace qm {

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A window's client area; the screen's for a null window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Get() const { return paint_.hdc; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

} // namespace qm
