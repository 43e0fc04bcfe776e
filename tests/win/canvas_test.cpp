#include <gtest/gtest.h>

#include <cstdint>

#include "framework/canvas.h"

namespace qm {
namespace {

// A 32-bit top-down picture in a memory DC whose pixels the test reads.
class Pixels {
public:
    Pixels(int width, int height) : width_(width), height_(height), dc_(nullptr)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~Pixels() { SelectObject(dc_.Get(), old_); }

    HDC Dc() const { return dc_.Get(); }
    std::uint32_t& At(int x, int y)
    {
        GdiFlush();
        return bits_[y * width_ + x];
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    MemoryDC dc_;
    Bitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr std::uint32_t kKeyPixel = 0xFF00FF; // as the bits hold it: 0x00RRGGBB

// A source of 6 x 4 with the key in a checker pattern and other colours elsewhere.
void PaintSource(Pixels& source)
{
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            source.At(x, y) =
                (x + y) % 2 ? kKeyPixel : (0x102030u * static_cast<std::uint32_t>(x + 4 * y + 1)) & 0xFFFFFF;
}

void PaintBackground(Pixels& target)
{
    for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x)
            target.At(x, y) = 0x0A0B0Cu + static_cast<std::uint32_t>(x * 0x0100 + y * 0x010000);
}

TEST(Canvas, DrawKeyedLeavesOutTheKeyColourAndCopiesTheRest)
{
    Pixels source(6, 4), target(20, 12);
    PaintSource(source);
    PaintBackground(target);
    const std::uint32_t background = target.At(4, 2);
    Canvas(target.Dc()).DrawKeyed(Rect::FromBounds(3, 2, 6, 4), source.Dc(), Rect::FromBounds(0, 0, 6, 4), kKey);
    EXPECT_EQ(target.At(3, 2), source.At(0, 0)); // not the key: copied
    EXPECT_EQ(target.At(4, 2), background); // the key: the target shows
    EXPECT_EQ(target.At(8, 5), source.At(5, 3));
    EXPECT_EQ(target.At(9, 5), 0x0A0B0Cu + 9 * 0x0100 + 5 * 0x010000); // outside: untouched
}

TEST(Canvas, DrawKeyedMatchesTheSystemsTransparentCopy)
{
    struct Case {
        Rect to, from;
    };
    const Case cases[] = {
        {Rect::FromBounds(3, 2, 6, 4), Rect::FromBounds(0, 0, 6, 4)}, // as it is
        {Rect::FromBounds(1, 1, 2, 3), Rect::FromBounds(2, 1, 2, 3)}, // a part of it
        {Rect::FromBounds(0, 0, 18, 11), Rect::FromBounds(0, 0, 6, 4)}, // enlarged
        {Rect::FromBounds(5, 5, 4, 2), Rect::FromBounds(0, 0, 6, 4)}, // reduced
    };
    Pixels source(6, 4);
    PaintSource(source);
    for (const Case& c : cases) {
        Pixels ours(20, 12), system(20, 12);
        PaintBackground(ours);
        PaintBackground(system);
        Canvas(ours.Dc()).DrawKeyed(c.to, source.Dc(), c.from, kKey);
        TransparentBlt(system.Dc(), c.to.left, c.to.top, c.to.Width(), c.to.Height(), source.Dc(), c.from.left,
                       c.from.top, c.from.Width(), c.from.Height(), kKey);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(ours.At(x, y), system.At(x, y))
                    << "at " << x << "," << y << " drawing to " << c.to.left << "," << c.to.top << " " << c.to.Width()
                    << "x" << c.to.Height();
    }
}

} // namespace
} // namespace qm
