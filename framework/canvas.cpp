#include "framework/canvas.h"

#include <algorithm>
#include <string>

namespace qm {

COLORREF ToColorRef(Color color)
{
    if (IsSystemColor(color))
        return GetSysColor(SystemColorIndex(color));
    return RGB(RedOf(color), GreenOf(color), BlueOf(color));
}

RECT ToRECT(const Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

void Canvas::FillRect(const Rect& r, Color color)
{
    RECT rc = ToRECT(r);
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    SetBkColor(dc_, ToColorRef(color));
    ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void Canvas::Frame3D(const Rect& r, Color topLeft, Color bottomRight, int width)
{
    Rect c = r;
    for (int i = 0; i < width && c.Width() > 0 && c.Height() > 0; ++i) {
        FillRect({c.left, c.top, c.right, c.top + 1}, topLeft);
        FillRect({c.left, c.top, c.left + 1, c.bottom}, topLeft);
        FillRect({c.left, c.bottom - 1, c.right, c.bottom}, bottomRight);
        FillRect({c.right - 1, c.top, c.right, c.bottom}, bottomRight);
        c = c.Inflated(-1, -1);
    }
}

void Canvas::FrameRect(const Rect& r, Color color, int width)
{
    Frame3D(r, color, color, width);
}

void Canvas::Line(int x1, int y1, int x2, int y2, Color color, int width)
{
    Pen pen(CreatePen(PS_SOLID, width, ToColorRef(color)));
    SelectGuard select(dc_, pen.Get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void Canvas::SetPixel(int x, int y, Color color)
{
    ::SetPixel(dc_, x, y, ToColorRef(color));
}

void Canvas::DrawText(std::string_view text, Rect r, HFONT font, Color color, UINT format)
{
    SelectGuard select(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ToColorRef(color));
    RECT rc = ToRECT(r);
    std::string copy(text);
    ::DrawTextA(dc_, copy.c_str(), static_cast<int>(copy.size()), &rc, format);
}

SIZE Canvas::MeasureText(std::string_view text, HFONT font)
{
    SelectGuard select(dc_, font);
    RECT rc{0, 0, 0, 0};
    std::string copy(text);
    ::DrawTextA(dc_, copy.c_str(), static_cast<int>(copy.size()), &rc, DT_CALCRECT | DT_NOPREFIX);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

ScaledDrawing::ScaledDrawing(HDC dc, int dpi) : dc_(dc), scaled_(dpi != 96 && dpi > 0)
{
    if (!scaled_)
        return;
    oldMode_ = SetGraphicsMode(dc_, GM_ADVANCED);
    const float factor = static_cast<float>(dpi) / 96.0f;
    const XFORM scale{factor, 0, 0, factor, 0, 0};
    SetWorldTransform(dc_, &scale);
    SetStretchBltMode(dc_, COLORONCOLOR);
}

ScaledDrawing::~ScaledDrawing()
{
    if (!scaled_)
        return;
    ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc_, oldMode_);
}

void Canvas::DrawKeyed(const Rect& to, HDC source, const Rect& from, COLORREF key)
{
    const int w = to.Width(), h = to.Height();
    if (w <= 0 || h <= 0 || from.Width() <= 0 || from.Height() <= 0)
        return;
    // The source at the target's size (in a new DC's stretching mode, as the
    // system's copy has it), then a mask of its key pixels (1 where the key
    // is), then those pixels made black.
    MemoryDC work(dc_);
    Bitmap workBitmap(CreateCompatibleBitmap(dc_, w, h));
    SelectGuard selectWork(work.Get(), workBitmap.Get());
    StretchBlt(work.Get(), 0, 0, w, h, source, from.left, from.top, from.Width(), from.Height(), SRCCOPY);
    MemoryDC mask(dc_);
    Bitmap maskBitmap(CreateBitmap(w, h, 1, 1, nullptr));
    SelectGuard selectMask(mask.Get(), maskBitmap.Get());
    SetBkColor(work.Get(), key);
    BitBlt(mask.Get(), 0, 0, w, h, work.Get(), 0, 0, SRCCOPY);
    SetBkColor(work.Get(), RGB(0, 0, 0));
    SetTextColor(work.Get(), RGB(255, 255, 255));
    BitBlt(work.Get(), 0, 0, w, h, mask.Get(), 0, 0, SRCAND);
    // The target kept under the key pixels and cleared elsewhere, then the rest added.
    const COLORREF oldBk = SetBkColor(dc_, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    BitBlt(dc_, to.left, to.top, w, h, mask.Get(), 0, 0, SRCAND);
    BitBlt(dc_, to.left, to.top, w, h, work.Get(), 0, 0, SRCPAINT);
    SetBkColor(dc_, oldBk);
    SetTextColor(dc_, oldText);
}

BackBuffer::~BackBuffer()
{
    Release();
}

void BackBuffer::Release()
{
    if (dc_ && oldBitmap_)
        SelectObject(dc_->Get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.Reset();
    dc_.reset();
    width_ = height_ = 0;
}

HDC BackBuffer::Prepare(HDC compatible, int width, int height)
{
    width = std::max(width, std::max(width_, 1));
    height = std::max(height, std::max(height_, 1));
    if (dc_ && width == width_ && height == height_)
        return dc_->Get();
    Release();
    dc_ = std::make_unique<MemoryDC>(compatible);
    bitmap_.Reset(CreateCompatibleBitmap(compatible, width, height));
    oldBitmap_ = SelectObject(dc_->Get(), bitmap_.Get());
    width_ = width;
    height_ = height;
    return dc_->Get();
}

void BackBuffer::Present(HDC target, int width, int height) const
{
    if (dc_)
        BitBlt(target, 0, 0, std::min(width, width_), std::min(height, height_), dc_->Get(), 0, 0, SRCCOPY);
}

} // namespace qm
