#pragma once
// Drawing helpers over a device context, and the back buffer controls paint
// into before one block transfer to the screen.
#include <windows.h>

#include <memory>
#include <string_view>

#include "framework/colors.h"
#include "framework/geometry.h"
#include "platform/device_context.h"

namespace qm {

COLORREF ToColorRef(Color color);
RECT ToRECT(const Rect& r);

class Canvas {
public:
    explicit Canvas(HDC dc) : dc_(dc) {}
    HDC Handle() const { return dc_; }

    void FillRect(const Rect& r, Color color);
    // A frame `width` pixels wide: top and left in `topLeft`, bottom and right in `bottomRight`.
    void Frame3D(const Rect& r, Color topLeft, Color bottomRight, int width = 1);
    void FrameRect(const Rect& r, Color color, int width = 1);
    void Line(int x1, int y1, int x2, int y2, Color color, int width = 1);
    void SetPixel(int x, int y, Color color);
    // Text in `font`, transparent background, DT_* `format`.
    void DrawText(std::string_view text, Rect r, HFONT font, Color color, UINT format);
    // Copies `from` of `source` into `to`, stretched as need be, leaving out
    // the pixels of colour `key`: what TransparentBlt does, which costs two
    // trips to the system per call under Wine; this costs none.
    void DrawKeyed(const Rect& to, HDC source, const Rect& from, COLORREF key);
    SIZE MeasureText(std::string_view text, HFONT font);

private:
    HDC dc_;
};

// While it lives, what is drawn or measured on `dc` in designed pixels comes
// out at `dpi`: outline text and lines sharp at the new size, pictures grown
// by whole pixels (no blending), as pixel art should. Nothing changes at 96.
class ScaledDrawing {
public:
    ScaledDrawing(HDC dc, int dpi);
    ~ScaledDrawing();
    ScaledDrawing(const ScaledDrawing&) = delete;
    ScaledDrawing& operator=(const ScaledDrawing&) = delete;

private:
    HDC dc_;
    bool scaled_;
    int oldMode_ = 0;
};

// An off-screen bitmap at least as large as the largest picture drawn in it.
class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Ensures the buffer holds width x height (it never shrinks); returns its DC.
    HDC Prepare(HDC compatible, int width, int height);
    HDC Dc() const { return dc_ ? dc_->Get() : nullptr; }
    // One block transfer of the buffer's top-left width x height to `target` at (0, 0).
    void Present(HDC target, int width, int height) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Release();

    std::unique_ptr<MemoryDC> dc_;
    Bitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};

} // namespace qm
