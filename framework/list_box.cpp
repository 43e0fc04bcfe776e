#include "framework/list_box.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/device_context.h"

namespace qm {

namespace {

constexpr std::string_view kComboStyleNames[] = {"csDropDown", "csDropDownList"};

} // namespace

// ---- TItemsControl -----------------------------------------------------------

const TypeInfo& TItemsControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<TItemsControl, &TItemsControl::Items, &TItemsControl::SetItems>("Items"),
        IntProperty<TItemsControl, &TItemsControl::ItemIndex, &TItemsControl::SetItemIndex>("ItemIndex"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TItemsControl, &TItemsControl::OnChange>("OnChange"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TItemsControl>("TItemsControl", &TWinControl::StaticType, kProperties, kEvents);
    return kType;
}

TItemsControl::TItemsControl(const Messages& messages) : messages_(messages)
{
    SetColor(clWindow);
}

void TItemsControl::HandleCreated()
{
    TWinControl::HandleCreated();
    SendItems();
}

void TItemsControl::SendItems()
{
    if (!Handle())
        return;
    SendMessageA(Handle(), messages_.resetContent, 0, 0);
    for (const std::string& item : items_)
        SendMessageA(Handle(), messages_.addString, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(Handle(), messages_.setCurSel, static_cast<WPARAM>(itemIndex_), 0);
}

void TItemsControl::SetItems(const std::vector<std::string>& items)
{
    items_ = items;
    itemIndex_ = -1;
    SendItems();
}

int TItemsControl::AddItem(const std::string& item)
{
    items_.push_back(item);
    if (Handle())
        SendMessageA(Handle(), messages_.addString, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return Count() - 1;
}

void TItemsControl::Clear()
{
    items_.clear();
    itemIndex_ = -1;
    if (Handle())
        SendMessageA(Handle(), messages_.resetContent, 0, 0);
}

void TItemsControl::SetItem(int index, const std::string& text)
{
    if (index < 0 || index >= Count())
        return;
    const int selected = ItemIndex();
    items_[static_cast<size_t>(index)] = text;
    if (Handle()) {
        SendMessageA(Handle(), messages_.deleteString, static_cast<WPARAM>(index), 0);
        SendMessageA(Handle(), messages_.insertString, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(Handle(), messages_.setCurSel, static_cast<WPARAM>(selected), 0);
    }
}

int TItemsControl::ItemIndex() const
{
    if (!Handle())
        return itemIndex_;
    return static_cast<int>(SendMessageA(Handle(), messages_.getCurSel, 0, 0));
}

void TItemsControl::SetItemIndex(int index)
{
    itemIndex_ = index >= 0 && index < Count() ? index : -1;
    if (Handle())
        SendMessageA(Handle(), messages_.setCurSel, static_cast<WPARAM>(itemIndex_), 0);
}

// ---- TListBox ---------------------------------------------------------------

const TypeInfo& TListBox::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TListBox, &TListBox::IntegralHeight, &TListBox::SetIntegralHeight>("IntegralHeight"),
        IntProperty<TListBox, &TListBox::Columns, &TListBox::SetColumns>("Columns"),
    };
    static constexpr TypeInfo kType = ComponentType<TListBox>("TListBox", &TItemsControl::StaticType, kProperties);
    return kType;
}

TListBox::TListBox()
    : TItemsControl({LB_ADDSTRING, LB_DELETESTRING, LB_INSERTSTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL})
{
    SetBounds(Rect::FromBounds(0, 0, 121, 97));
}

WindowClass TListBox::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("LISTBOX");
    return kClass;
}

DWORD TListBox::ControlStyle() const
{
    DWORD style = LBS_NOTIFY | WS_VSCROLL;
    if (!integralHeight_)
        style |= LBS_NOINTEGRALHEIGHT;
    if (columns_ > 0)
        style |= LBS_MULTICOLUMN | WS_HSCROLL;
    return style;
}

void TListBox::HandleCreated()
{
    TItemsControl::HandleCreated();
    BoundsChanged();
}

void TListBox::SetColumns(int columns)
{
    columns_ = std::max(columns, 0);
    BoundsChanged();
}

void TListBox::BoundsChanged()
{
    if (Handle() && columns_ > 0)
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH,
                     static_cast<WPARAM>(std::max(1, ScaleFromDesign((Width() - 4) / columns_, Dpi()))), 0);
}

bool TListBox::Command(WORD code)
{
    if (code != LBN_SELCHANGE)
        return false;
    if (OnChange)
        OnChange(*this);
    return true;
}

// ---- TCheckListBox ----------------------------------------------------------

const TypeInfo& TCheckListBox::StaticType()
{
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TCheckListBox, &TCheckListBox::OnClickCheck>("OnClickCheck"),
    };
    static constexpr TypeInfo kType = ComponentType<TCheckListBox>("TCheckListBox", &TListBox::StaticType, {}, kEvents);
    return kType;
}

TCheckListBox::TCheckListBox() = default;

DWORD TCheckListBox::ControlStyle() const
{
    return TListBox::ControlStyle() | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TCheckListBox::HandleCreated()
{
    TListBox::HandleCreated();
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight());
}

int TCheckListBox::ItemHeight()
{
    TEXTMETRICA metrics{};
    const WindowDC screen(nullptr);
    SelectGuard select(screen.Get(), FontHandle());
    GetTextMetricsA(screen.Get(), &metrics);
    return std::max<int>(metrics.tmHeight + 2, CheckBoxSize() + 2);
}

bool TCheckListBox::Checked(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < checked_.size() && checked_[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool checked)
{
    if (index < 0 || index >= Count())
        return;
    checked_.resize(static_cast<size_t>(Count()), false);
    checked_[static_cast<size_t>(index)] = checked;
    if (Handle()) {
        RECT r;
        if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
            InvalidateRect(Handle(), &r, FALSE);
    }
}

int TCheckListBox::AddItem(const std::string& item, bool checked)
{
    const int index = TItemsControl::AddItem(item);
    SetChecked(index, checked);
    return index;
}

void TCheckListBox::Clear()
{
    TItemsControl::Clear();
    checked_.clear();
}

int TCheckListBox::ItemAtPoint(int x, int y) const
{
    if (!Handle())
        return -1;
    const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(hit))
        return -1;
    return static_cast<int>(LOWORD(hit));
}

void TCheckListBox::Toggle(int index)
{
    if (index < 0 || index >= Count())
        return;
    SetChecked(index, !Checked(index));
    if (OnClickCheck)
        OnClickCheck(*this);
}

LRESULT TCheckListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        const int index = ItemAtPoint(x, y);
        const LRESULT result = TListBox::HandleMessage(message, wParam, lParam);
        RECT r{};
        if (index >= 0 &&
            SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) !=
                LB_ERR &&
            x >= r.left && x < r.left + CheckBoxSize() + 4)
            Toggle(index);
        return result;
    }
    case WM_CHAR:
        if (wParam == ' ') {
            Toggle(ItemIndex());
            return 0;
        }
        break;
    default:
        break;
    }
    return TListBox::HandleMessage(message, wParam, lParam);
}

bool TCheckListBox::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight());
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return TListBox::HandleReflected(message, wParam, lParam, result);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    HBRUSH background = ControlColors(dc);
    FillRect(dc, &r, background);
    if (static_cast<int>(item.itemID) < 0 || static_cast<int>(item.itemID) >= Count()) {
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &r);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    const int boxSize = CheckBoxSize();
    RECT box{r.left + 1, r.top + (r.bottom - r.top - boxSize) / 2, 0, 0};
    box.right = box.left + boxSize;
    box.bottom = box.top + boxSize;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (Checked(index) ? DFCS_CHECKED : 0));
    RECT text = r;
    text.left = box.right + 4;
    const std::string& caption = Item(index);
    SIZE extent{};
    HGDIOBJ old = SelectObject(dc, FontHandle());
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT highlight{text.left - 1, text.top, std::min<LONG>(text.left + extent.cx + 2, r.right), text.bottom};
    if (selected) {
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &highlight);
}

// ---- TComboBox ----------------------------------------------------------------

const TypeInfo& TComboBox::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TComboBox, &TComboBox::GetStyle, &TComboBox::SetStyle>("Style", kComboStyleNames),
        StringProperty<TComboBox, &TComboBox::Text, &TComboBox::SetText>("Text"),
        IntProperty<TComboBox, &TComboBox::DropDownCount, &TComboBox::SetDropDownCount>("DropDownCount"),
    };
    static constexpr TypeInfo kType = ComponentType<TComboBox>("TComboBox", &TItemsControl::StaticType, kProperties);
    return kType;
}

TComboBox::TComboBox()
    : TItemsControl({CB_ADDSTRING, CB_DELETESTRING, CB_INSERTSTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL})
{
    SetBounds(Rect::FromBounds(0, 0, 145, 21));
}

WindowClass TComboBox::ControlClass() const
{
    static const WindowClass kClass = DerivedWindowClass("COMBOBOX");
    return kClass;
}

DWORD TComboBox::ControlStyle() const
{
    return WS_VSCROLL | CBS_AUTOHSCROLL | (style_ == Style::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
}

int TComboBox::WindowHeight() const
{
    // The window holds the dropped list too.
    return Height() + dropDownCount_ * 16 + 2;
}

std::string TComboBox::Text() const
{
    return WindowText();
}

void TComboBox::SetText(const std::string& text)
{
    SetCaption(text);
}

bool TComboBox::Command(WORD code)
{
    if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE)
        return false;
    if (OnChange)
        OnChange(*this);
    return true;
}

} // namespace qm
