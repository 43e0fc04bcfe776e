#include "components/wm_wizard.h"

#include <algorithm>

#include "components/wizard_routes.h"
#include "framework/form.h"
#include "framework/gdi.h"
#include "framework/resources.h"

namespace qm {

namespace {

constexpr std::string_view kImageAlignNames[] = {"iaLeft", "iaRight"};
constexpr const char* kButtonNames[] = {"btWzBack", "btWzNext", "btWzFinish", "btWzCancel"};
constexpr const char* kButtonCaptions[] = {"< Back", "Next >", "Finish", "Cancel"};
// Left edges from the wizard's right edge, in button order.
constexpr int kButtonOffsets[] = {330, 255, 160, 85};
constexpr int kButtonWidth = 75, kButtonHeight = 23;

int TextWidth(const TwmTextProperties& text)
{
    WindowDC screen(nullptr);
    Font font = CreateFontFrom(text.Font);
    SelectGuard select(screen.Get(), font.Get());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), text.Text.c_str(), static_cast<int>(text.Text.size()), &size);
    return size.cx;
}

UINT AlignmentFlags(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::taRightJustify:
        return DT_RIGHT;
    case TextAlignment::taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

} // namespace

// ---- Records ----------------------------------------------------------------

const TypeInfo& TwmPageButton::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TwmPageButton, &TwmPageButton::Caption>("Caption"),
        BoolProperty<TwmPageButton, &TwmPageButton::Enabled>("Enabled"),
        BoolProperty<TwmPageButton, &TwmPageButton::Visible>("Visible"),
    };
    static constexpr TypeInfo kType = RecordType("TwmPageButton", kProperties);
    return kType;
}

const TypeInfo& TwmTextProperties::StaticType()
{
    using T = TwmTextProperties;
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<T, &T::Alignment>("Alignment", kTextAlignmentNames),
        BoolProperty<T, &T::AutoSize>("AutoSize"),
        ObjectProperty<T, FontSpec, [](T& text, bool) { return &text.Font; }>("Font"),
        IntProperty<T, &T::Left>("Left"),
        IntProperty<T, &T::Top>("Top"),
        IntProperty<T, &T::Width>("Width"),
        StringProperty<T, &T::Text>("Text"),
    };
    static constexpr TypeInfo kType = RecordType("TwmTextProperties", kProperties);
    return kType;
}

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
    static constexpr PropertyInfo kProperties[] = {StringProperty<R, &R::Name>("Name"), CollectionProperty < R,
                                                   TwmWizardRoutePagesItem,
                                                   [](R & route) -> auto& {return route.RoutePagesItems;
}
> ("RoutePagesItems"),
}; // namespace qm
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

// ---- Pages ------------------------------------------------------------------

TwmCustomWizardPage::TwmCustomWizardPage(bool showWizardCaption) : showWizardCaption_(showWizardCaption)
{
    for (int i = 0; i < 4; ++i)
        buttons_[i].Caption = kButtonCaptions[i];
    title_.Text = "Title";
    subtitle_.Text = "Subtitle";
    SetAlign(Align::Client);
    SetVisible(false);
    SetParentColor(false);
}

TwmCustomWizardPage::~TwmCustomWizardPage()
{
    if (wizard_)
        wizard_->RemovePage(*this);
}

const TypeInfo& TwmCustomWizardPage::StaticType()
{
    using P = TwmCustomWizardPage;
    static constexpr PropertyInfo kProperties[] = {
        ObjectProperty<P, TwmPageButton, [](P& p, bool) { return &p.buttons_[0]; }, &P::ButtonChanged>("BackButton"),
        ObjectProperty<P, TwmPageButton, [](P& p, bool) { return &p.buttons_[1]; }, &P::ButtonChanged>("NextButton"),
        ObjectProperty<P, TwmPageButton, [](P& p, bool) { return &p.buttons_[2]; }, &P::ButtonChanged>("FinishButton"),
        ObjectProperty<P, TwmPageButton, [](P& p, bool) { return &p.buttons_[3]; }, &P::ButtonChanged>("CancelButton"),
        ObjectProperty<P, TwmTextProperties, [](P& p, bool) { return &p.title_; }, [](P& p) { p.TextChanged(); }>(
            "Title"),
        ObjectProperty<P, TwmTextProperties, [](P& p, bool) { return &p.subtitle_; }, [](P& p) { p.TextChanged(); }>(
            "Subtitle"),
        IntProperty<P, &P::ImageIndex, &P::SetImageIndex>("ImageIndex"),
        IntProperty<P, &P::headerImageWidth_,
                    [](P& p, int width) {
                        p.headerImageWidth_ = width;
                        p.Invalidate();
                    }>("HeaderImageWidth"),
        IntProperty<P, &P::PageIndex, &P::SetPageIndex>("PageIndex"),
        IntProperty<P, &P::RoutePageIndex, &P::SetRoutePageIndex>("RoutePageIndex"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<P, &P::OnCanShow>("OnCanShow"),
        MakeEvent<P, &P::OnCanHide>("OnCanHide"),
        MakeEvent<P, &P::OnShow>("OnShow"),
        MakeEvent<P, &P::OnHide>("OnHide"),
    };
    static constexpr TypeInfo kType =
        ComponentType<P>("TwmCustomWizardPage", &TControl::StaticType, kProperties, kEvents);
    return kType;
}

void TwmCustomWizardPage::SetButton(TwmButtonKind kind, const TwmPageButton& button)
{
    buttons_[static_cast<int>(kind)] = button;
    ButtonChanged(*this);
}

void TwmCustomWizardPage::ButtonChanged(TwmCustomWizardPage& page)
{
    if (page.wizard_ && page.wizard_->ActivePage() == &page)
        page.wizard_->UpdateButtons();
}

void TwmCustomWizardPage::SetTitleText(const std::string& text)
{
    title_.Text = text;
    TextChanged();
}

void TwmCustomWizardPage::SetSubtitleText(const std::string& text)
{
    subtitle_.Text = text;
    TextChanged();
}

void TwmCustomWizardPage::TextChanged()
{
    // With AutoSize the width is the text's own.
    for (TwmTextProperties* text : {&title_, &subtitle_})
        if (text->AutoSize)
            text->Width = TextWidth(*text);
    Invalidate();
}

int TwmCustomWizardPage::ImageIndex() const
{
    int index = imageIndex_;
    if (wizard_ && wizard_->OnGetImageIndex)
        wizard_->OnGetImageIndex(*wizard_, PageIndex(), index);
    return index;
}

void TwmCustomWizardPage::SetImageIndex(int index)
{
    imageIndex_ = index;
    Invalidate();
}

int TwmCustomWizardPage::PageIndex() const
{
    if (!wizard_)
        return -1;
    const auto& pages = wizard_->pages_;
    const auto at = std::find(pages.begin(), pages.end(), this);
    return at == pages.end() ? -1 : static_cast<int>(at - pages.begin());
}

void TwmCustomWizardPage::SetPageIndex(int index)
{
    if (wizard_ && !IsLoading())
        MoveToIndex(wizard_->pages_, this, index);
}

int TwmCustomWizardPage::RoutePageIndex() const
{
    if (!wizard_)
        return -1;
    const auto route = wizard_->RoutePages();
    const auto at = std::find(route.begin(), route.end(), this);
    return at == route.end() ? -1 : static_cast<int>(at - route.begin());
}

void TwmCustomWizardPage::SetRoutePageIndex(int index)
{
    if (!wizard_ || IsLoading())
        return;
    for (TwmWizardRouteItem& route : wizard_->routes_) {
        if (!SameRouteName(route.Name, wizard_->currentRouteName_))
            continue;
        std::vector<TwmCustomWizardPage*> pages = route.Pages();
        MoveToIndex(pages, this, index);
        route.RoutePagesItems.clear();
        for (TwmCustomWizardPage* page : pages)
            route.RoutePagesItems.push_back({page->Name(), page});
        wizard_->UpdateButtons();
        return;
    }
}

namespace {

TControl* FirstFocusableIn(const TControl& container)
{
    for (TControl* control : container.ControlsInTabOrder()) {
        if (control->TabStop() && control->CanFocus())
            return control;
        if (TControl* inner = FirstFocusableIn(*control))
            return inner;
    }
    return nullptr;
}

} // namespace

TControl* TwmCustomWizardPage::FirstFocusable() const
{
    return FirstFocusableIn(*this);
}

void TwmCustomWizardPage::DrawText(Canvas& canvas, const TwmTextProperties& text, int bottom, int shift)
{
    const int width = text.AutoSize ? TextWidth(text) : text.Width;
    Rect r{shift + text.Left, text.Top, shift + text.Left + width, bottom};
    Font font = CreateFontFrom(text.Font);
    UINT format = AlignmentFlags(text.Alignment) | DT_EXPANDTABS | DT_NOPREFIX;
    if (!text.AutoSize)
        format |= DT_WORDBREAK;
    canvas.DrawText(text.Text, r, font.Get(), text.Font.color, format);
}

bool TwmCustomWizardPage::DrawImage(Canvas& canvas, const Rect& r)
{
    const int index = ImageIndex();
    if (!wizard_ || index == -1 || !wizard_->Images())
        return false;
    IconHandle icon(ImageList_GetIcon(wizard_->Images()->Handle(), index, ILD_NORMAL));
    if (!icon)
        return false;
    DrawIconEx(canvas.Handle(), r.left, r.top, icon.Get(), r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
    return true;
}

TwmInteriorWizardPage::TwmInteriorWizardPage() : TwmCustomWizardPage(true)
{
    SetColor(clWindow);
    title_.Font.bold = true;
    title_.Left = 20;
    title_.Top = 10;
    subtitle_.Left = 40;
    subtitle_.Top = 30;
    TextChanged();
}

const TypeInfo& TwmInteriorWizardPage::StaticType()
{
    using P = TwmInteriorWizardPage;
    static constexpr PropertyInfo kProperties[] = {
        ColorProperty<P, &P::headerColor_,
                      [](P& p, Color c) {
                          p.headerColor_ = c;
                          p.Invalidate();
                      }>("HeaderColor"),
        IntProperty<P, &P::headerHeight_,
                    [](P& p, int h) {
                        p.headerHeight_ = h;
                        p.Realign();
                        p.Invalidate();
                    }>("HeaderHeight"),
        EnumProperty<P, &P::headerImageAlign_,
                     [](P& p, TwmPageImageAlign a) {
                         p.headerImageAlign_ = a;
                         p.Invalidate();
                     }>("HeaderImageAlign", kImageAlignNames),
        BoolProperty<P, &P::headerVisible_,
                     [](P& p, bool on) {
                         p.headerVisible_ = on;
                         p.Invalidate();
                     }>("HeaderVisible"),
        BoolProperty<P, &P::topLineVisible_,
                     [](P& p, bool on) {
                         p.topLineVisible_ = on;
                         p.Invalidate();
                     }>("TopLineVisible"),
    };
    static constexpr TypeInfo kType =
        ComponentType<P>("TwmInteriorWizardPage", &TwmCustomWizardPage::StaticType, kProperties);
    return kType;
}

Rect TwmInteriorWizardPage::ClientRect() const
{
    Rect r = TControl::ClientRect();
    r.top = std::min(headerHeight_, r.bottom);
    return r;
}

void TwmInteriorWizardPage::Paint(Canvas& canvas)
{
    canvas.FillRect(TControl::ClientRect(), GetColor());
    if (!headerVisible_)
        return;
    const int w = Width(), hh = headerHeight_;
    canvas.FillRect({0, 0, w, hh}, headerColor_);
    int bottom = hh;
    if (topLineVisible_) {
        canvas.Line(0, hh - 2, w - 1, hh - 2, clBtnShadow);
        canvas.Line(1, hh - 1, w, hh - 1, clBtnHighlight);
        bottom -= 2;
    }
    const int imageWidth = HeaderImageWidth();
    const bool left = headerImageAlign_ == TwmPageImageAlign::iaLeft;
    const Rect image{left ? 4 : w - 4 - imageWidth, 4, left ? 4 + imageWidth : w - 4, bottom - 4};
    const bool drawn = DrawImage(canvas, image);
    const int shift = left && drawn ? imageWidth : 0;
    DrawText(canvas, title_, bottom, shift);
    DrawText(canvas, subtitle_, bottom, shift);
}

TwmWelcomeWizardPage::TwmWelcomeWizardPage() : TwmCustomWizardPage(false)
{
    SetColor(clWhite);
    title_.Text = "Welcome";
    title_.Font.bold = true;
    title_.Font.height = 21; // size 16 at 96 dpi, as a cell height
    title_.Left = 10;
    title_.Top = 10;
    subtitle_.Left = 10;
    subtitle_.Top = 60;
    TextChanged();
}

const TypeInfo& TwmWelcomeWizardPage::StaticType()
{
    using P = TwmWelcomeWizardPage;
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<P, &P::watermarkName_, &P::SetWatermark>("Watermark"),
        EnumProperty<P, &P::watermarkAlign_,
                     [](P& p, TwmPageImageAlign a) {
                         p.watermarkAlign_ = a;
                         p.Realign();
                         p.Invalidate();
                     }>("WatermarkAlign", kImageAlignNames),
        ColorProperty<P, &P::watermarkColor_,
                      [](P& p, Color c) {
                          p.watermarkColor_ = c;
                          p.Invalidate();
                      }>("WatermarkColor"),
        IntProperty<P, &P::watermarkWidth_,
                    [](P& p, int w) {
                        p.watermarkWidth_ = w;
                        p.Realign();
                        p.Invalidate();
                    }>("WatermarkWidth"),
        IntProperty<P, &P::headerImageLeft_,
                    [](P& p, int v) {
                        p.headerImageLeft_ = v;
                        p.Invalidate();
                    }>("HeaderImageLeft"),
        IntProperty<P, &P::headerImageTop_,
                    [](P& p, int v) {
                        p.headerImageTop_ = v;
                        p.Invalidate();
                    }>("HeaderImageTop"),
        IntProperty<P, &P::headerImageHeight_,
                    [](P& p, int v) {
                        p.headerImageHeight_ = v;
                        p.Invalidate();
                    }>("HeaderImageHeight"),
    };
    static constexpr TypeInfo kType =
        ComponentType<P>("TwmWelcomeWizardPage", &TwmCustomWizardPage::StaticType, kProperties);
    return kType;
}

void TwmWelcomeWizardPage::SetWatermark(const std::string& resource)
{
    // Loaded when first painted: a page never shown never holds it.
    watermarkName_ = resource;
    watermark_.Reset();
    Invalidate();
}

Rect TwmWelcomeWizardPage::ClientRect() const
{
    Rect r = TControl::ClientRect();
    if (watermarkAlign_ == TwmPageImageAlign::iaLeft)
        r.left = std::min(watermarkWidth_ + 1, r.right);
    else
        r.right = std::max(r.right - watermarkWidth_ - 1, r.left);
    return r;
}

void TwmWelcomeWizardPage::Paint(Canvas& canvas)
{
    const Rect client = TControl::ClientRect();
    canvas.FillRect(client, GetColor());
    const bool left = watermarkAlign_ == TwmPageImageAlign::iaLeft;
    Rect band = client;
    if (left)
        band.right = std::min(band.left + watermarkWidth_, band.right);
    else
        band.left = std::max(band.right - watermarkWidth_, band.left);
    band.bottom -= 1;
    canvas.FillRect(band, watermarkColor_);
    if (!watermark_ && !watermarkName_.empty())
        watermark_ = LoadBitmapResource(watermarkName_);
    if (watermark_) {
        const SIZE size = BitmapSize(watermark_.Get());
        MemoryDC source(canvas.Handle());
        SelectGuard select(source.Get(), watermark_.Get());
        // Transparent as a picture is: its bottom-left pixel shows the band.
        const COLORREF key = GetPixel(source.Get(), 0, size.cy - 1);
        canvas.DrawKeyed(band, source.Get(), Rect::FromBounds(0, 0, size.cx, size.cy), key);
    }
    const int imageWidth = HeaderImageWidth();
    const int imageLeft = left ? headerImageLeft_ : client.right - headerImageLeft_ - imageWidth;
    const Rect image = Rect::FromBounds(imageLeft, headerImageTop_, imageWidth, headerImageHeight_);
    if (Wizard() && ImageIndex() != -1) {
        canvas.FillRect(image.Inflated(4, 4), GetColor());
        DrawImage(canvas, image);
    }
    const int shift = left ? watermarkWidth_ : 0;
    DrawText(canvas, title_, client.bottom, shift);
    DrawText(canvas, subtitle_, client.bottom, shift);
}

// ---- The wizard -------------------------------------------------------------

TwmCustomWizard::TwmCustomWizard()
{
    SetAlign(Align::Client);
    for (int i = 0; i < 4; ++i) {
        auto button = std::make_unique<TButton>();
        button->SetName(kButtonNames[i]);
        button->SetCaption(kButtonCaptions[i]);
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
        CollectionProperty < W, TwmWizardRouteItem, [](W & w) -> auto& {return w.routes_;
}
> ("Routes"),
    IntProperty<W, [](const W& w) { return w.ButtonTabOrder(TwmButtonKind::Back); },
                [](W& w, int order) { w.SetButtonTabOrder(TwmButtonKind::Back, order); }>("btWzBackTabOrder"),
    IntProperty<W, [](const W& w) { return w.ButtonTabOrder(TwmButtonKind::Next); },
                [](W& w, int order) { w.SetButtonTabOrder(TwmButtonKind::Next, order); }>("btWzNextTabOrder"),
    IntProperty<W, [](const W& w) { return w.ButtonTabOrder(TwmButtonKind::Cancel); },
                [](W& w, int order) { w.SetButtonTabOrder(TwmButtonKind::Cancel, order); }>("btWzCancelTabOrder"),
    IntProperty<W, [](const W& w) { return w.ButtonTabOrder(TwmButtonKind::Finish); },
                [](W& w, int order) { w.SetButtonTabOrder(TwmButtonKind::Finish, order); }>("btWzFinishTabOrder"),
}
;
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

int TwmCustomWizard::ButtonTabOrder(TwmButtonKind kind) const
{
    return buttons_[static_cast<int>(kind)]->TabOrder();
}

void TwmCustomWizard::SetButtonTabOrder(TwmButtonKind kind, int order)
{
    buttons_[static_cast<int>(kind)]->SetTabOrder(order);
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
    if (OnChanging && !IsLoading()) {
        bool allow = true;
        OnChanging(*this, allow);
        if (!allow)
            return;
    }
    switching_ = true;
    TwmCustomWizardPage* previous = activePage_;
    [&] {
        if (page == previous)
            return;
        if (previous) {
            HWND focus = GetFocus();
            if (focus && previous->Handle() && (focus == previous->Handle() || IsChild(previous->Handle(), focus)))
                if (!previous->SetFocus())
                    return;
        }
        bool goForward = true;
        if (page && previous) {
            const int to = page->RoutePageIndex(), from = previous->RoutePageIndex();
            goForward = !(to < from);
        }
        if (previous) {
            bool allow = true;
            if (previous->OnCanHide)
                previous->OnCanHide(*previous, goForward, allow);
            if (!allow)
                return;
            if (previous->OnHide)
                previous->OnHide(*previous, goForward);
        }
        if (page) {
            page->SetVisible(true);
            if (page->Handle())
                SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            CopyPageButtons(*page);
            const auto route = RoutePages();
            TButton* fallback = nullptr;
            if (goForward && !route.empty() && route.back() == page)
                fallback = &WizardButton(TwmButtonKind::Finish);
            else if (!goForward && !route.empty() && route.front() == page)
                fallback = &WizardButton(TwmButtonKind::Next);
            TControl* first = autoFocus_ ? page->FirstFocusable() : nullptr;
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
            if (page->OnShow)
                page->OnShow(*page, goForward);
        }
        if (previous && previous != page)
            previous->SetVisible(false);
        activePage_ = page;
        activePageName_ = page ? page->Name() : std::string();
        if (OnChange && !IsLoading())
            OnChange(*this);
    }();
    UpdateButtons();
    switching_ = false;
    // Whether the caption shows depends on the page: the page area follows.
    Realign();
    if (activePage_)
        activePage_->Realign();
    Invalidate();
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
