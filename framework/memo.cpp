#include "framework/memo.h"

namespace qm {

TMemo::TMemo()
{
    SetColor(clWindow);
}

bool TMemo::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "ReadOnly") {
        readOnly_ = value.AsBool();
        return true;
    }
    if (name == "WordWrap") {
        wordWrap_ = value.AsBool();
        return true;
    }
    if (name == "ScrollBars") {
        static constexpr std::string_view kNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
        scrollBars_ = static_cast<ScrollBars>(EnumIndex(value, kNames));
        return true;
    }
    if (name == "Lines") {
        StringList lines;
        for (const std::string& line : value.AsList())
            lines.Add(line);
        text_ = lines.Text();
        return true;
    }
    return TControl::ApplyProperty(name, value);
}

void TMemo::CreateHandle(HWND parentWindow)
{
    DWORD style = WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (Visible())
        style |= WS_VISIBLE;
    if (readOnly_)
        style |= ES_READONLY;
    if (!wordWrap_ || scrollBars_ == ScrollBars::ssHorizontal || scrollBars_ == ScrollBars::ssBoth)
        style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ScrollBars::ssHorizontal || scrollBars_ == ScrollBars::ssBoth)
        style |= WS_HSCROLL;
    if (scrollBars_ == ScrollBars::ssVertical || scrollBars_ == ScrollBars::ssBoth)
        style |= WS_VSCROLL;
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, Left(), Top(), Width(), Height(), parentWindow,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowHandle(window);
    if (!window)
        return;
    // The edit control's own limit is 32 K characters; reports are longer.
    SendMessageA(window, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SetWindowTextA(window, text_.c_str());
}

void TMemo::SetText(const std::string& text)
{
    text_ = text;
    if (Handle())
        SetWindowTextA(Handle(), text_.c_str());
}

std::string TMemo::Text() const
{
    if (!Handle())
        return text_;
    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), length + 1)));
    return text;
}

HBRUSH TMemo::SystemControlBrush(HDC dc)
{
    // Read-only text boxes would otherwise take the dialog colour.
    const COLORREF color = ToColorRef(GetColor());
    SetBkColor(dc, color);
    SetTextColor(dc, ToColorRef(GetFont().color));
    if (!background_)
        background_.Reset(CreateSolidBrush(color));
    return background_.Get();
}

void TMemo::FontChanged()
{
    TControl::FontChanged();
    if (Handle())
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

} // namespace qm
