// The wizard's pages: what each says about the four buttons, its title and
// subtitle, and how the two kinds draw themselves.
#include "components/wm_wizard.h"

#include <algorithm>

#include "components/wizard_routes.h"
#include "framework/resources.h"
#include "platform/device_context.h"

namespace qm {

namespace {

constexpr std::string_view kImageAlignNames[] = {"iaLeft", "iaRight"};

// In designed pixels, measured with the font the page draws with at `dpi`.
int TextWidth(const TwmTextProperties& text, int dpi)
{
    WindowDC screen(nullptr);
    const ScaledDrawing scaled(screen.Get(), dpi);
    Font font = CreateFontFrom(text.Font, dpi);
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


TwmCustomWizardPage::TwmCustomWizardPage(bool showWizardCaption) : showWizardCaption_(showWizardCaption)
{
    for (int i = 0; i < 4; ++i)
        buttons_[i].Caption = kWizardButtonCaptions[i];
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
        IntProperty<P, Repainted<&P::headerImageWidth_>>("HeaderImageWidth"),
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
            text->Width = TextWidth(*text, Dpi());
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
    const int width = text.AutoSize ? TextWidth(text, Dpi()) : text.Width;
    Rect r{shift + text.Left, text.Top, shift + text.Left + width, bottom};
    Font font = CreateFontFrom(text.Font, Dpi());
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
        ColorProperty<P, Repainted<&P::headerColor_>>("HeaderColor"),
        IntProperty<P, Realigned<&P::headerHeight_>>("HeaderHeight"),
        EnumProperty<P, Repainted<&P::headerImageAlign_>>("HeaderImageAlign", kImageAlignNames),
        BoolProperty<P, Repainted<&P::headerVisible_>>("HeaderVisible"),
        BoolProperty<P, Repainted<&P::topLineVisible_>>("TopLineVisible"),
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
        EnumProperty<P, Realigned<&P::watermarkAlign_>>("WatermarkAlign", kImageAlignNames),
        ColorProperty<P, Repainted<&P::watermarkColor_>>("WatermarkColor"),
        IntProperty<P, Realigned<&P::watermarkWidth_>>("WatermarkWidth"),
        IntProperty<P, Repainted<&P::headerImageLeft_>>("HeaderImageLeft"),
        IntProperty<P, Repainted<&P::headerImageTop_>>("HeaderImageTop"),
        IntProperty<P, Repainted<&P::headerImageHeight_>>("HeaderImageHeight"),
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


} // namespace qm
