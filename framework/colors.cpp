#include "framework/colors.h"

namespace qm {

namespace {

struct NamedColor {
    std::string_view name;
    Color color;
};

constexpr NamedColor kNamedColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clBtnHighlight", clBtnHighlight},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clInactiveCaption", clInactiveCaption},
    {"clInfoBk", clInfoBk},
    {"clGrayText", clGrayText},
    {"clNone", clNone},
};

} // namespace

std::optional<Color> ColorFromName(std::string_view name)
{
    for (const auto& entry : kNamedColors)
        if (entry.name == name)
            return entry.color;
    return std::nullopt;
}

std::optional<std::string_view> ColorName(Color color)
{
    for (const auto& entry : kNamedColors)
        if (entry.color == color)
            return entry.name;
    return std::nullopt;
}

Color ParseColor(const FormValue& value)
{
    if (value.kind == FormValue::Kind::Integer) {
        std::int64_t n = value.AsInteger();
        if (n < 0 || n > 0xFFFFFFFFll)
            throw EFormDescription("colour out of range");
        return static_cast<Color>(n);
    }
    const std::string& name = value.AsIdentifier();
    if (auto color = ColorFromName(name))
        return *color;
    throw EFormDescription("unknown colour " + name);
}

} // namespace qm
