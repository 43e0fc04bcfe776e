#include "framework/tab_control.h"

#include <algorithm>

namespace qm {

// ---- TCustomTabControl ------------------------------------------------------

const TypeInfo& TCustomTabControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TCustomTabControl, &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine>("MultiLine"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TCustomTabControl, &TCustomTabControl::OnChange>("OnChange"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TCustomTabControl>("TCustomTabControl", &TWinControl::StaticType, kProperties, kEvents);
    return kType;
}

TCustomTabControl::TCustomTabControl()
{
    SetBounds(Rect::FromBounds(0, 0, 289, 193));
}

WindowClass TCustomTabControl::ControlClass() const
{
    static const WindowClass kClass = CommonControlClass(WC_TABCONTROLA);
    return kClass;
}

DWORD TCustomTabControl::ControlStyle() const
{
    return multiLine_ ? TCS_MULTILINE : 0;
}

void TCustomTabControl::SetMultiLine(bool on)
{
    multiLine_ = on;
    ChangeStyle(TCS_MULTILINE, on);
    Realign();
}

Rect TCustomTabControl::ClientRect() const
{
    if (!Handle())
        return TControl::ClientRect().Inflated(-4, -4);
    RECT r{0, 0, Width(), Height()};
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return Rect{r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

int TCustomTabControl::TabIndex() const
{
    return Handle() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : -1;
}

int TCustomTabControl::TabCount() const
{
    return Handle() ? static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string TCustomTabControl::TabText(int index) const
{
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    if (Handle())
        SendMessageA(Handle(), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void TCustomTabControl::SetTabs(const std::vector<std::string>& texts, int selected)
{
    if (!Handle())
        return;
    if (texts == shownTabs_) {
        SelectTab(selected);
        return;
    }
    shownTabs_ = texts;
    const Rect before = ClientRect();
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(texts[i].c_str());
        SendMessageA(Handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SelectTab(selected);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
    // More or fewer rows of tabs change the area below them; the same tabs
    // again (a caption changed, a page shown) usually leave it as it was.
    if (!(ClientRect() == before))
        Realign();
}

void TCustomTabControl::SelectTab(int index)
{
    if (Handle())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::HandleCreated()
{
    shownTabs_.clear(); // a new window has no tabs yet
    TWinControl::HandleCreated();
}

void TCustomTabControl::BoundsChanged()
{
    Realign();
}

bool TCustomTabControl::Notify(NMHDR& header, LRESULT& result)
{
    result = 0;
    if (header.code == TCN_SELCHANGE) {
        TabChanged();
        if (OnChange)
            OnChange(*this);
        return true;
    }
    return header.code == TCN_SELCHANGING;
}

// ---- TTabControl --------------------------------------------------------------

const TypeInfo& TTabControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<TTabControl, &TTabControl::Tabs, &TTabControl::SetTabs>("Tabs"),
        IntProperty<TTabControl, &TTabControl::TabIndex, &TTabControl::SetTabIndex>("TabIndex"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TTabControl>("TTabControl", &TCustomTabControl::StaticType, kProperties);
    return kType;
}

TTabControl::TTabControl() = default;

void TTabControl::SetTabs(const std::vector<std::string>& tabs)
{
    tabs_ = tabs;
    tabIndex_ = tabs_.empty() ? -1 : std::clamp(tabIndex_, 0, static_cast<int>(tabs_.size()) - 1);
    TCustomTabControl::SetTabs(tabs_, tabIndex_);
}

void TTabControl::SetTabIndex(int index)
{
    tabIndex_ = index >= 0 && index < static_cast<int>(tabs_.size()) ? index : -1;
    SelectTab(tabIndex_);
}

void TTabControl::HandleCreated()
{
    TCustomTabControl::HandleCreated();
    TCustomTabControl::SetTabs(tabs_, tabIndex_);
}

void TTabControl::TabChanged()
{
    tabIndex_ = TCustomTabControl::TabIndex();
}

// ---- TTabSheet ------------------------------------------------------------------

const TypeInfo& TTabSheet::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TTabSheet, &TTabSheet::TabVisible, &TTabSheet::SetTabVisible>("TabVisible"),
        IntProperty<TTabSheet, &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex>("ImageIndex"),
    };
    static constexpr TypeInfo kType = ComponentType<TTabSheet>("TTabSheet", &TControl::StaticType, kProperties);
    return kType;
}

TTabSheet::TTabSheet()
{
    SetAlign(Align::Client);
    SetParentColor(true);
    SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const
{
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetTabVisible(bool visible)
{
    tabVisible_ = visible;
    if (TPageControl* pages = PageControl(); pages && !IsLoading())
        pages->UpdateTabs();
}

void TTabSheet::CaptionChanged()
{
    if (TPageControl* pages = PageControl(); pages && !IsLoading())
        pages->UpdateTabs();
}

void TTabSheet::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

// ---- TPageControl -----------------------------------------------------------------

const TypeInfo& TPageControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        ReferenceProperty<TPageControl, &TPageControl::ActivePageName, &TPageControl::SetActivePageName>("ActivePage"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TPageControl>("TPageControl", &TCustomTabControl::StaticType, kProperties);
    return kType;
}

TPageControl::TPageControl() = default;

void TPageControl::InsertChild(Component& child)
{
    auto* sheet = dynamic_cast<TTabSheet*>(&child);
    if (!sheet)
        throw EFormDescription(child.Name() + ": a page control holds tab sheets only");
    TCustomTabControl::InsertChild(child);
    pages_.push_back(sheet);
}

void TPageControl::SetActivePageName(const std::string& name)
{
    activeName_ = name;
    if (IsLoading())
        return;
    auto it = std::find_if(pages_.begin(), pages_.end(), [&](TTabSheet* page) { return page->Name() == name; });
    SetActivePage(it == pages_.end() ? nullptr : *it);
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    if (!activeName_.empty()) {
        auto it =
            std::find_if(pages_.begin(), pages_.end(), [&](TTabSheet* page) { return page->Name() == activeName_; });
        if (it == pages_.end())
            throw EFormDescription(Name() + ": no page named " + activeName_);
        active_ = *it;
    } else if (!pages_.empty()) {
        active_ = pages_.front();
    }
    for (TTabSheet* page : pages_)
        page->SetVisible(page == active_);
}

int TPageControl::ActivePageIndex() const
{
    auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && !page->tabVisible_)
        page = nullptr;
    active_ = page;
    for (TTabSheet* sheet : pages_)
        if (sheet != active_)
            sheet->SetVisible(false);
    if (active_) {
        active_->SetVisible(true);
        if (active_->Handle())
            BringWindowToTop(active_->Handle());
    }
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    std::vector<std::string> texts;
    int selected = -1;
    for (TTabSheet* sheet : pages_) {
        if (!sheet->tabVisible_)
            continue;
        if (sheet == active_)
            selected = static_cast<int>(texts.size());
        texts.push_back(sheet->Caption());
    }
    SetTabs(texts, selected);
}

void TPageControl::HandleCreated()
{
    TCustomTabControl::HandleCreated();
    UpdateTabs();
}

void TPageControl::TabChanged()
{
    const int tab = TCustomTabControl::TabIndex();
    int shown = -1;
    for (TTabSheet* sheet : pages_) {
        if (!sheet->tabVisible_)
            continue;
        if (++shown == tab) {
            SetActivePage(sheet);
            return;
        }
    }
}

} // namespace qm
