#include "components/wm_wizard.h"

#include <algorithm>

#include "components/wizard_routes.h"
#include "framework/form.h"
#include "platform/device_context.h"

namespace qm {

namespace {

constexpr const char* kButtonNames[] = {"btWzBack", "btWzNext", "btWzFinish", "btWzCancel"};
// Left edges from the wizard's right edge, in button order.
constexpr int kButtonOffsets[] = {330, 255, 160, 85};
constexpr int kButtonWidth = 75, kButtonHeight = 23;

// A footer button's tab order, as the wizard's property that stores it.
template <TwmButtonKind Kind> struct ButtonTabOrderOf {
    int operator()(const TwmCustomWizard& wizard) const { return wizard.WizardButton(Kind).TabOrder(); }
    void operator()(TwmCustomWizard& wizard, int order) const { wizard.WizardButton(Kind).SetTabOrder(order); }
};
template <TwmButtonKind Kind> constexpr ButtonTabOrderOf<Kind> ButtonTabOrder{};

} // namespace

// ---- Routes -----------------------------------------------------------------

const TypeInfo& TwmWizardRoutePagesItem::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        ReferenceProperty<TwmWizardRoutePagesItem, &TwmWizardRoutePagesItem::PageName>("Page"),
    };
    static constexpr TypeInfo kType = RecordType("TwmWizardRoutePagesItem", kProperties);
    return kType;
}

const TypeInfo& TwmWizardRouteItem::StaticType()
{
    using R = TwmWizardRouteItem;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<R, &R::Name>("Name"),
        CollectionProperty<R, TwmWizardRoutePagesItem,
                           [](R& route) -> std::vector<TwmWizardRoutePagesItem>& { return route.RoutePagesItems; }>(
            "RoutePagesItems"),
    };
    static constexpr TypeInfo kType = RecordType("TwmWizardRouteItem", kProperties);
    return kType;
}

std::vector<TwmCustomWizardPage*> TwmWizardRouteItem::Pages() const
{
    std::vector<TwmCustomWizardPage*> pages;
    for (const TwmWizardRoutePagesItem& item : RoutePagesItems)
        if (item.Page)
            pages.push_back(item.Page);
    return pages;
}


// ---- The wizard -------------------------------------------------------------

TwmCustomWizard::TwmCustomWizard()
{
    SetAlign(Align::Client);
    for (int i = 0; i < 4; ++i) {
        auto button = std::make_unique<TButton>();
        button->SetName(kButtonNames[i]);
        button->SetCaption(kWizardButtonCaptions[i]);
        button->SetTabStop(true);
        const auto kind = static_cast<TwmButtonKind>(i);
        button->OnClick = [this, kind](Component&) { ButtonPressed(kind); };
        buttons_[i] = std::move(button);
    }
    WizardButton(TwmButtonKind::Back).SetEnabled(false);
    WizardButton(TwmButtonKind::Next).SetEnabled(false);
    WizardButton(TwmButtonKind::Cancel).SetCancel(true);
    WizardButton(TwmButtonKind::Cancel).SetModalResult(mrCancel);
    WizardButton(TwmButtonKind::Finish).SetModalResult(mrOk);
    for (auto& button : buttons_)
        TControl::InsertChild(*button);
}

TwmCustomWizard::~TwmCustomWizard()
{
    for (TwmCustomWizardPage* page : pages_)
        page->SetParentWizard(nullptr);
}

const TypeInfo& TwmCustomWizard::StaticType()
{
    using W = TwmCustomWizard;
    static constexpr PropertyInfo kProperties[] = {
        ReferenceProperty<W, [](const W& w) { return w.activePage_ ? w.activePage_->Name() : w.activePageName_; },
                          [](W& w, const std::string& name) {
                              w.activePageName_ = name;
                              if (!w.IsLoading())
                                  w.SetActivePage(dynamic_cast<TwmCustomWizardPage*>(w.ResolveReference(name)));
                          }>("ActivePage"),
        BoolProperty<W, &W::AutoFocus, &W::SetAutoFocus>("AutoFocus"),
        StringProperty<W, &W::CurrentRouteName, &W::SetCurrentRouteName>("CurrentRouteName"),
        IntProperty<W, &W::FooterHeight, &W::SetFooterHeight>("FooterHeight"),
        ReferenceProperty<W, [](const W& w) { return w.images_.Name(); },
                          [](W& w, const std::string& name) {
                              w.images_.SetName(w, name);
                              w.Invalidate();
                          }>("Images"),
        CollectionProperty<W, TwmWizardRouteItem, [](W& w) -> std::vector<TwmWizardRouteItem>& { return w.routes_; }>(
            "Routes"),
        IntProperty<W, ButtonTabOrder<TwmButtonKind::Back>>("btWzBackTabOrder"),
        IntProperty<W, ButtonTabOrder<TwmButtonKind::Next>>("btWzNextTabOrder"),
        IntProperty<W, ButtonTabOrder<TwmButtonKind::Cancel>>("btWzCancelTabOrder"),
        IntProperty<W, ButtonTabOrder<TwmButtonKind::Finish>>("btWzFinishTabOrder"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<W, &W::OnCancel>("OnCancel"),
        MakeEvent<W, &W::OnFinish>("OnFinish"),
        MakeEvent<W, &W::OnChange>("OnChange"),
        MakeEvent<W, &W::OnChanging>("OnChanging"),
        MakeEvent<W, &W::OnGetImageIndex>("OnGetImageIndex"),
    };
    static constexpr TypeInfo kType = ComponentType<W>("TwmCustomWizard", &TControl::StaticType, kProperties, kEvents);
    return kType;
}

const TypeInfo& TwmWizard::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TwmWizard>("TwmWizard", &TwmCustomWizard::StaticType, {});
    return kType;
}

void TwmCustomWizard::InsertChild(Component& child)
{
    TControl::InsertChild(child);
    if (auto* page = dynamic_cast<TwmCustomWizardPage*>(&child))
        AttachPage(*page);
}

void TwmCustomWizard::AttachPage(TwmCustomWizardPage& page)
{
    page.SetParentWizard(this);
    pages_.push_back(&page);
    if (IsLoading())
        return;
    for (TwmWizardRouteItem& route : routes_)
        if (SameRouteName(route.Name, currentRouteName_))
            route.RoutePagesItems.push_back({page.Name(), &page});
}

void TwmCustomWizard::RemovePage(TwmCustomWizardPage& page)
{
    if (activePage_ == &page) {
        TwmCustomWizardPage* next = FindNextPage(&page, true, false);
        if (next == &page || !next)
            next = FindNextPage(&page, false, false);
        SetActivePage(next == &page ? nullptr : next);
        if (activePage_ == &page)
            activePage_ = nullptr;
    }
    std::erase(pages_, &page);
    for (TwmWizardRouteItem& route : routes_)
        std::erase_if(route.RoutePagesItems, [&](const TwmWizardRoutePagesItem& item) { return item.Page == &page; });
    page.SetParentWizard(nullptr);
    UpdateButtons();
}

void TwmCustomWizard::Loaded()
{
    TControl::Loaded();
    images_.Resolve(*this);
    for (TwmWizardRouteItem& route : routes_)
        for (TwmWizardRoutePagesItem& item : route.RoutePagesItems) {
            item.Page = dynamic_cast<TwmCustomWizardPage*>(ResolveReference(item.PageName));
            if (!item.Page)
                throw EFormDescription(Name() + ": the route " + route.Name + " names no page " + item.PageName);
        }
    LayoutButtons();
    // Still part of loading: no OnChanging, and OnChange once, below.
    SetLoading(true);
    if (!activePageName_.empty())
        SetActivePage(dynamic_cast<TwmCustomWizardPage*>(ResolveReference(activePageName_)));
    SetLoading(false);
    UpdateButtons();
    if (OnChange)
        OnChange(*this);
}

std::vector<TwmCustomWizardPage*> TwmCustomWizard::RoutePages() const
{
    for (const TwmWizardRouteItem& route : routes_)
        if (SameRouteName(route.Name, currentRouteName_))
            return route.Pages();
    return {};
}

void TwmCustomWizard::SetCurrentRouteName(const std::string& name)
{
    if (name == currentRouteName_ || switching_)
        return;
    const bool exists = std::any_of(routes_.begin(), routes_.end(),
                                    [&](const TwmWizardRouteItem& route) { return SameRouteName(route.Name, name); });
    if (!exists && !IsLoading())
        return;
    currentRouteName_ = name;
    if (IsLoading())
        return;
    const auto pages = RoutePages();
    SetActivePage(pages.empty() ? nullptr : pages.front());
}

TwmWizardRouteItem& TwmCustomWizard::AddRoute()
{
    std::vector<std::string> names;
    for (const TwmWizardRouteItem& route : routes_)
        names.push_back(route.Name);
    routes_.push_back({NewRouteName(names), {}});
    return routes_.back();
}

void TwmCustomWizard::DeleteRoute(int index)
{
    if (index < 0 || index >= static_cast<int>(routes_.size()))
        return;
    const bool current = SameRouteName(routes_[static_cast<size_t>(index)].Name, currentRouteName_);
    if (current) {
        if (routes_.size() == 1) {
            currentRouteName_.clear();
        } else {
            const size_t other = index == 0 ? 1 : 0;
            SetCurrentRouteName(routes_[other].Name);
        }
    }
    routes_.erase(routes_.begin() + index);
    UpdateButtons();
}

void TwmCustomWizard::RenameRoute(int index, const std::string& name)
{
    if (index < 0 || index >= static_cast<int>(routes_.size()))
        return;
    TwmWizardRouteItem& route = routes_[static_cast<size_t>(index)];
    if (SameRouteName(route.Name, currentRouteName_))
        currentRouteName_ = name;
    route.Name = name;
}

TwmCustomWizardPage* TwmCustomWizard::FindNextPage(TwmCustomWizardPage* from, bool forward, bool honourVetoes) const
{
    std::function<bool(TwmCustomWizardPage&, bool)> canShow;
    if (honourVetoes)
        canShow = [](TwmCustomWizardPage& page, bool goForward) {
            bool allow = true;
            if (page.OnCanShow)
                page.OnCanShow(page, goForward, allow);
            return allow;
        };
    return qm::FindNextPage(RoutePages(), from, forward, canShow);
}

void TwmCustomWizard::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TwmCustomWizard::SetActivePage(TwmCustomWizardPage* page)
{
    if (page && page->Wizard() != this)
        return;
    if (!ChangeAllowed())
        return;
    switching_ = true;
    if (page != activePage_)
        SwitchTo(page);
    UpdateButtons();
    switching_ = false;
    // Whether the caption shows depends on the page: the page area follows.
    Realign();
    if (activePage_)
        activePage_->Realign();
    Invalidate();
}

bool TwmCustomWizard::ChangeAllowed()
{
    bool allow = true;
    if (OnChanging && !IsLoading())
        OnChanging(*this, allow);
    return allow;
}

void TwmCustomWizard::SwitchTo(TwmCustomWizardPage* page)
{
    TwmCustomWizardPage* previous = activePage_;
    if (previous && !MoveFocusOffPage(*previous))
        return;
    const bool goForward = GoesForward(previous, page);
    if (previous && !LeavePage(*previous, goForward))
        return;
    if (page)
        ShowPage(*page, goForward);
    if (previous)
        previous->SetVisible(false);
    activePage_ = page;
    activePageName_ = page ? page->Name() : std::string();
    if (OnChange && !IsLoading())
        OnChange(*this);
}

bool TwmCustomWizard::MoveFocusOffPage(TwmCustomWizardPage& page)
{
    HWND focus = GetFocus();
    if (focus && page.Handle() && (focus == page.Handle() || IsChild(page.Handle(), focus)))
        return page.SetFocus();
    return true;
}

bool TwmCustomWizard::GoesForward(const TwmCustomWizardPage* from, const TwmCustomWizardPage* to) const
{
    return !(from && to && to->RoutePageIndex() < from->RoutePageIndex());
}

bool TwmCustomWizard::LeavePage(TwmCustomWizardPage& page, bool goForward)
{
    bool allow = true;
    if (page.OnCanHide)
        page.OnCanHide(page, goForward, allow);
    if (!allow)
        return false;
    if (page.OnHide)
        page.OnHide(page, goForward);
    return true;
}

void TwmCustomWizard::ShowPage(TwmCustomWizardPage& page, bool goForward)
{
    page.SetVisible(true);
    if (page.Handle())
        SetWindowPos(page.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CopyPageButtons(page);
    FocusOnArrival(page, goForward);
    if (page.OnShow)
        page.OnShow(page, goForward);
}

void TwmCustomWizard::FocusOnArrival(TwmCustomWizardPage& page, bool goForward)
{
    const auto route = RoutePages();
    TButton* fallback = nullptr;
    if (goForward && !route.empty() && route.back() == &page)
        fallback = &WizardButton(TwmButtonKind::Finish);
    else if (!goForward && !route.empty() && route.front() == &page)
        fallback = &WizardButton(TwmButtonKind::Next);
    TControl* first = autoFocus_ ? page.FirstFocusable() : nullptr;
    // A page with nothing to focus leaves the keyboard on the wizard's
    // own buttons, where the next step is.
    if (!first && autoFocus_) {
        UpdateButtons();
        for (TwmButtonKind kind : {TwmButtonKind::Next, TwmButtonKind::Finish})
            if (WizardButton(kind).CanFocus() && WizardButton(kind).Enabled()) {
                first = &WizardButton(kind);
                break;
            }
    }
    if (first)
        first->SetFocus();
    else if (fallback && fallback->CanFocus())
        fallback->SetFocus();
}

void TwmCustomWizard::CopyPageButtons(const TwmCustomWizardPage& page)
{
    for (int i = 0; i < 4; ++i) {
        const TwmPageButton& state = page.Button(static_cast<TwmButtonKind>(i));
        TButton& button = *buttons_[i];
        button.SetCaption(state.Caption);
        button.SetEnabled(state.Enabled);
        button.SetVisible(state.Visible);
    }
}

void TwmCustomWizard::UpdateButtons()
{
    const auto route = RoutePages();
    if (route.empty() || !activePage_) {
        WizardButton(TwmButtonKind::Back).SetEnabled(false);
        WizardButton(TwmButtonKind::Next).SetEnabled(false);
        return;
    }
    CopyPageButtons(*activePage_);
    const WizardStepButtons steps = StepButtons(route, activePage_, activePage_->Button(TwmButtonKind::Back).Enabled,
                                                activePage_->Button(TwmButtonKind::Next).Enabled);
    WizardButton(TwmButtonKind::Back).SetEnabled(steps.back);
    WizardButton(TwmButtonKind::Next).SetEnabled(steps.next);
}

void TwmCustomWizard::Next()
{
    SetActivePage(FindNextPage(activePage_, true, true));
}

void TwmCustomWizard::Back()
{
    SetActivePage(FindNextPage(activePage_, false, true));
}

void TwmCustomWizard::ButtonPressed(TwmButtonKind kind)
{
    switch (kind) {
    case TwmButtonKind::Back:
        Back();
        break;
    case TwmButtonKind::Next:
        Next();
        break;
    case TwmButtonKind::Finish:
        if (OnFinish)
            OnFinish(*this);
        break;
    case TwmButtonKind::Cancel:
        if (OnCancel)
            OnCancel(*this);
        break;
    }
    // A double click acts once: the clicks already waiting for the button go.
    HWND button = buttons_[static_cast<int>(kind)]->Handle();
    MSG msg;
    while (button && PeekMessageA(&msg, button, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
        if (msg.message == WM_QUIT)
            PostQuitMessage(static_cast<int>(msg.wParam));
}

void TwmCustomWizard::SetFooterHeight(int height)
{
    footerHeight_ = height;
    LayoutButtons();
    Realign();
    Invalidate();
}

bool TwmCustomWizard::CaptionShown() const
{
    return !Caption().empty() && (!activePage_ || activePage_->ShowsWizardCaption());
}

int TwmCustomWizard::CaptionTextHeight()
{
    WindowDC screen(nullptr);
    const ScaledDrawing scaled(screen.Get(), Dpi());
    SelectGuard select(screen.Get(), FontHandle());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), "W", 1, &size);
    return size.cy;
}

Rect TwmCustomWizard::ClientRect() const
{
    Rect r = TControl::ClientRect();
    r.bottom -= footerHeight_;
    if (CaptionShown())
        r.bottom -= const_cast<TwmCustomWizard*>(this)->CaptionTextHeight() / 2 + 1;
    return r;
}

void TwmCustomWizard::LayoutButtons()
{
    const int top = Height() - footerHeight_ + 10;
    for (int i = 0; i < 4; ++i)
        buttons_[i]->SetBounds(Rect::FromBounds(Width() - kButtonOffsets[i], top, kButtonWidth, kButtonHeight));
}

void TwmCustomWizard::BoundsChanged()
{
    LayoutButtons();
}

void TwmCustomWizard::CaptionChanged()
{
    Realign();
    Invalidate();
}

void TwmCustomWizard::HandleCreated()
{
    LayoutButtons();
}

void TwmCustomWizard::Paint(Canvas& canvas)
{
    const int w = Width(), h = Height(), f = footerHeight_;
    canvas.FillRect(TControl::ClientRect(), GetColor());
    // Mid-switch the footer waits for the new page: it is painted whole after.
    if (switching_)
        return;
    canvas.Line(1, h - f, w, h - f, clBtnShadow);
    canvas.Line(0, h - f + 1, w - 1, h - f + 1, clBtnHighlight);
    if (!CaptionShown())
        return;
    const std::string text = " " + Caption() + " ";
    const int th = CaptionTextHeight();
    const int y = h - f - th / 2;
    const SIZE size = canvas.MeasureText(text, FontHandle());
    canvas.FillRect({0, y - 1, size.cx, h - f + th / 2 + 1}, GetColor());
    const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    canvas.DrawText(text, Rect::FromBounds(1, y, size.cx, th), FontHandle(), clBtnHighlight, format);
    canvas.DrawText(text, Rect::FromBounds(0, y - 1, size.cx, th), FontHandle(), clBtnShadow, format);
}


} // namespace qm
