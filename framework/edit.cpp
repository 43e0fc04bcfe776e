#include "framework/edit.h"

namespace qm {

const TypeInfo& TCustomEdit::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TCustomEdit, &TCustomEdit::Text, &TCustomEdit::SetText>("Text"),
        BoolProperty<TCustomEdit, &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
        IntProperty<TCustomEdit, &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TCustomEdit, &TCustomEdit::OnChange>("OnChange"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TCustomEdit>("TCustomEdit", &TWinControl::StaticType, kProperties, kEvents);
    return kType;
}

TCustomEdit::TCustomEdit()
{
    SetColor(clWindow);
}

WindowClass TCustomEdit::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("EDIT");
    return kClass;
}

DWORD TCustomEdit::ControlStyle() const
{
    return readOnly_ ? ES_READONLY : 0;
}

void TCustomEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    // The edit control's own default limit is 32 K characters.
    SendMessageA(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

std::string TCustomEdit::Text() const
{
    return WindowText();
}

void TCustomEdit::SetText(const std::string& text)
{
    SetCaption(text);
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (Handle())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::SetMaxLength(int length)
{
    maxLength_ = length < 0 ? 0 : length;
    if (Handle())
        SendMessageA(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TCustomEdit::Command(WORD code)
{
    if (code != EN_CHANGE)
        return false;
    if (OnChange)
        OnChange(*this);
    return true;
}

const TypeInfo& TEdit::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TEdit>("TEdit", &TCustomEdit::StaticType, {});
    return kType;
}

TEdit::TEdit()
{
    SetBounds(Rect::FromBounds(0, 0, 121, 21));
}

const TypeInfo& TMemo::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<TMemo, &TMemo::Lines, &TMemo::SetLines>("Lines"),
        BoolProperty<TMemo, &TMemo::WordWrap, &TMemo::SetWordWrap>("WordWrap"),
        EnumProperty<TMemo, &TMemo::GetScrollBars, &TMemo::SetScrollBars>("ScrollBars", kScrollBarNames),
        BoolProperty<TMemo, &TMemo::WantReturns, &TMemo::SetWantReturns>("WantReturns"),
    };
    static constexpr TypeInfo kType = ComponentType<TMemo>("TMemo", &TCustomEdit::StaticType, kProperties);
    return kType;
}

TMemo::TMemo()
{
    SetBounds(Rect::FromBounds(0, 0, 185, 89));
}

std::vector<std::string> TMemo::Lines() const
{
    StringList lines;
    lines.SetText(Text());
    return lines.Lines();
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    StringList list;
    for (const std::string& line : lines)
        list.Add(line);
    SetText(list.Text());
}

DWORD TMemo::ControlStyle() const
{
    DWORD style = TCustomEdit::ControlStyle() | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (wantReturns_)
        style |= ES_WANTRETURN;
    const bool horizontal = scrollBars_ == ScrollBars::ssHorizontal || scrollBars_ == ScrollBars::ssBoth;
    const bool vertical = scrollBars_ == ScrollBars::ssVertical || scrollBars_ == ScrollBars::ssBoth;
    if (!wordWrap_ || horizontal)
        style |= ES_AUTOHSCROLL;
    if (horizontal)
        style |= WS_HSCROLL;
    if (vertical)
        style |= WS_VSCROLL;
    return style;
}

LRESULT TMemo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A read-only memo lets Enter and Escape reach the window's buttons.
    if (message == WM_GETDLGCODE && ReadOnly())
        return TCustomEdit::HandleMessage(message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return TCustomEdit::HandleMessage(message, wParam, lParam);
}

} // namespace qm
