#pragma once
// Colours as stored in window descriptions: 0x00BBGGRR, or a system colour
// (0x80000000 | index) that is looked up when drawing.
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/form_text.h"

namespace qm {

using Color = std::uint32_t;

inline constexpr Color kSystemColorFlag = 0x80000000u;

inline constexpr Color clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                       clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                       clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000,
                       clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
inline constexpr Color clBtnFace = kSystemColorFlag | 15, clBtnShadow = kSystemColorFlag | 16,
                       clBtnHighlight = kSystemColorFlag | 20, clWindow = kSystemColorFlag | 5,
                       clWindowText = kSystemColorFlag | 8, clInactiveCaption = kSystemColorFlag | 3,
                       clInfoBk = kSystemColorFlag | 24, clGrayText = kSystemColorFlag | 17;
// No colour at all: what is behind shows through.
inline constexpr Color clNone = 0x1FFFFFFF;

constexpr bool IsSystemColor(Color c)
{
    return (c & kSystemColorFlag) != 0;
}
constexpr int SystemColorIndex(Color c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr std::uint8_t RedOf(Color c)
{
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c)
{
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c)
{
    return (c >> 16) & 0xFF;
}
constexpr Color MakeColor(int r, int g, int b)
{
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// "clLime", or a number. Nothing for an unknown name.
std::optional<Color> ColorFromName(std::string_view name);
// The name of a named colour ("clLime"); nothing for others.
std::optional<std::string_view> ColorName(Color color);
// A description value: a colour name or a number. Throws EFormDescription.
Color ParseColor(const FormValue& value);

} // namespace qm
