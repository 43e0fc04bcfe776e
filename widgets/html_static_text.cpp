#include "widgets/html_static_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include "framework/application.h"
#include "framework/resources.h"

namespace qm {

namespace {

constexpr UINT_PTR kBlinkTimer = 1;
constexpr Color kDisabledGrey = 0x808080;

bool OpensWithShell(const std::string& target)
{
    return target.find("://") != std::string::npos || target.find("mailto:") != std::string::npos;
}

int HeightForPoints(int points)
{
    return -MulDiv(points, 96, 72);
}

// System file icons by number, small or large.
HIMAGELIST SystemImageList(bool large)
{
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        "C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)));
}

std::optional<int> SystemIconIndex(const std::string& source, bool& large)
{
    if (source.rfind("ssys:", 0) == 0)
        large = false;
    else if (source.rfind("lsys:", 0) == 0)
        large = true;
    else
        return std::nullopt;
    try {
        return std::stoi(source.substr(5));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

class THTMLStaticText::GdiMeasurer : public HtmlMeasurer {
public:
    GdiMeasurer(THTMLStaticText& owner, HDC dc) : owner_(owner), dc_(dc) {}

    HtmlSize Text(const HtmlStyle& style, const std::string& text) override
    {
        SelectGuard select(dc_, owner_.FontFor(style));
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

    HtmlSize Picture(const std::string& source) override
    {
        bool large = false;
        if (SystemIconIndex(source, large))
            return large ? HtmlSize{32, 32} : HtmlSize{16, 16};
        HBITMAP bitmap = owner_.LoadPicture(source);
        SIZE size = BitmapSize(bitmap);
        return {size.cx, size.cy};
    }

private:
    THTMLStaticText& owner_;
    HDC dc_;
};

THTMLStaticText::THTMLStaticText()
{
    SetBounds(Rect::FromBounds(0, 0, 100, 20));
    SetParentColor(true);
}

THTMLStaticText::~THTMLStaticText()
{
    if (Handle())
        KillTimer(Handle(), kBlinkTimer);
}

const TypeInfo& THTMLStaticText::StaticType()
{
    using H = THTMLStaticText;
    static constexpr std::string_view kVAlignmentNames[] = {"tvaTop", "tvaCenter", "tvaBottom"};
    static constexpr std::string_view kBevelNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    static constexpr std::string_view kBorderNames[] = {"bsNone", "bsSingle"};
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<H, &H::HTMLText, [](H& h, const std::string& text) { h.SetHTMLText(text); }>("HTMLText"),
        // Stored lines are joined with nothing between them.
        LinesProperty<H, [](const H& h) { return std::vector<std::string>{h.html_}; },
                      [](H& h, const std::vector<std::string>& lines) {
                          std::string joined;
                          for (const std::string& line : lines)
                              joined += line;
                          h.SetHTMLText(joined);
                      }>("HTMLText.Strings"),
        ColorProperty<H, Repainted<&H::urlColor_>>("URLColor"),
        BoolProperty<H, Repainted<&H::hover_>>("Hover"),
        ColorProperty<H, [](const H& h) { return h.hoverColor_.value_or(clNone); },
                      [](H& h, Color c) {
                          h.hoverColor_ = c == clNone ? std::nullopt : std::optional<Color>(c);
                          h.Invalidate();
                      }>("HoverColor"),
        ColorProperty<H, [](const H& h) { return h.hoverFontColor_.value_or(clNone); },
                      [](H& h, Color c) {
                          h.hoverFontColor_ = c == clNone ? std::nullopt : std::optional<Color>(c);
                          h.Invalidate();
                      }>("HoverFontColor"),
        ColorProperty<H, Repainted<&H::shadowColor_>>("ShadowColor"),
        IntProperty<H, Repainted<&H::shadowOffset_>>("ShadowOffset"),
        BoolProperty<H, &H::anchorHint_>("AnchorHint"),
        BoolProperty<H, &H::AutoSizing, &H::SetAutoSizing>("AutoSizing"),
        BoolProperty<H, &H::EnableBlink, &H::SetEnableBlink>("EnableBlink"),
        EnumProperty<H, Repainted<&H::vAlignment_>>("VAlignment", kVAlignmentNames),
        EnumProperty<H, Repainted<&H::bevelOuter_>>("BevelOuter", kBevelNames),
        EnumProperty<H, Repainted<&H::bevelInner_>>("BevelInner", kBevelNames),
        IntProperty<H, &H::bevelWidth_,
                    [](H& h, int n) {
                        h.bevelWidth_ = std::max(1, n);
                        h.Invalidate();
                    }>("BevelWidth"),
        IntProperty<H, &H::borderWidth_,
                    [](H& h, int n) {
                        h.borderWidth_ = std::max(0, n);
                        h.Invalidate();
                    }>("BorderWidth"),
        EnumProperty<H, Repainted<&H::borderSingle_>>("BorderStyle", kBorderNames),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<H, &H::OnAnchorClick>("OnAnchorClick"),
        MakeEvent<H, &H::OnAnchorEnter>("OnAnchorEnter"),
        MakeEvent<H, &H::OnAnchorExit>("OnAnchorExit"),
        MakeEvent<H, &H::OnAnchorKeypress>("OnAnchorKeypress"),
    };
    static constexpr TypeInfo kType = ComponentType<H>("THTMLStaticText", &TControl::StaticType, kProperties, kEvents);
    return kType;
}

void THTMLStaticText::CreateHandle(HWND parentWindow)
{
    TControl::CreateHandle(parentWindow);
    plainHint_ = Hint();
    if (enableBlink_)
        SetTimer(Handle(), kBlinkTimer, 500, nullptr);
    FitToText();
}

void THTMLStaticText::SetHTMLText(std::string text)
{
    html_ = std::move(text);
    HtmlDocument document = ParseHtml(html_, HtmlStyle{});
    links_ = std::move(document.links);
    hasBlink_ = document.hasBlink;
    focusedLink_ = -1;
    hoverLink_ = -1;
    FitToText();
    Invalidate();
}

void THTMLStaticText::SetEnableBlink(bool on)
{
    enableBlink_ = on;
    if (!Handle())
        return;
    if (on) {
        SetTimer(Handle(), kBlinkTimer, 500, nullptr);
    } else {
        KillTimer(Handle(), kBlinkTimer);
        blinkOff_ = false;
        Invalidate();
    }
}

void THTMLStaticText::SetAutoSizing(bool on)
{
    autoSizing_ = on;
    FitToText();
}

HBITMAP THTMLStaticText::LoadPicture(const std::string& source)
{
    auto it = pictures_.find(source);
    if (it != pictures_.end())
        return it->second.Get();
    Bitmap picture;
    if (source.rfind("RES://", 0) == 0)
        picture = LoadBitmapResource(source.substr(6));
    else if (source.rfind("FILE://", 0) == 0)
        picture = Bitmap(static_cast<HBITMAP>(
            LoadImageA(nullptr, source.substr(7).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    // "idx:" needs an image list, which no window here has; other sources with
    // "://" would need the network: they stay empty.
    HBITMAP handle = picture.Get();
    pictures_.emplace(source, std::move(picture));
    return handle;
}

HFONT THTMLStaticText::FontFor(const HtmlStyle& style)
{
    std::string key = style.face + '|' + std::to_string(style.size) + '|' + char('0' + style.bold) +
        char('0' + style.italic) + char('0' + style.underline) + char('0' + style.strike) + '|' +
        std::to_string(style.angleTenths) + '|' + std::to_string(Dpi());
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second.Get();
    FontSpec spec;
    spec.name = style.face;
    spec.height = HeightForPoints(style.size);
    spec.bold = style.bold;
    spec.italic = style.italic;
    spec.underline = style.underline;
    spec.angleTenths = style.angleTenths;
    Font font = CreateFontFrom(spec, Dpi());
    if (style.strike) {
        LOGFONTA log{};
        GetObjectA(font.Get(), sizeof(log), &log);
        log.lfStrikeOut = TRUE;
        font = Font(CreateFontIndirectA(&log));
    }
    HFONT handle = font.Get();
    fonts_.emplace(std::move(key), std::move(font));
    return handle;
}

Rect THTMLStaticText::TextArea() const
{
    Rect area = ClientRect();
    if (bevelOuter_ != HtmlBevel::bvNone || bevelInner_ != HtmlBevel::bvNone)
        area = area.Inflated(-bevelWidth_, -bevelWidth_);
    if (borderSingle_)
        area = area.Inflated(-borderWidth_, -borderWidth_);
    return area;
}

HtmlLayout THTMLStaticText::Layout(HDC dc, const Rect& area, bool clip)
{
    const FontSpec& font = GetFont();
    HtmlStyle initial;
    initial.face = font.name;
    initial.size = font.height < 0 ? MulDiv(-font.height, 72, 96) : font.height;
    initial.bold = font.bold;
    initial.italic = font.italic;
    initial.underline = font.underline;
    initial.color = font.color;
    GdiMeasurer measurer(*this, dc);
    // Links are measured as they are drawn: underlined.
    HtmlDocument document = ParseHtml(html_, initial);
    for (HtmlToken& token : document.tokens)
        if (token.style.link >= 0 && !hover_)
            token.style.underline = true;
    return LayoutHtml(document, measurer, area, clip);
}

void THTMLStaticText::FitToText()
{
    if (!autoSizing_ || !Handle())
        return;
    WindowDC dc(Handle());
    Rect area = TextArea();
    HtmlLayout full = Layout(dc.Get(), Rect{area.left, area.top, area.right + 250, area.top + 100000}, false);
    SetBounds(Rect::FromBounds(Left(), Top(), full.widestLine + 6, std::max(Height(), full.height + 6)));
}

void THTMLStaticText::Paint(Canvas& canvas)
{
    HDC dc = canvas.Handle();
    Rect r = ClientRect();
    canvas.FillRect(r, GetColor());
    auto bevel = [&](bool raised) {
        canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
        r = r.Inflated(-bevelWidth_, -bevelWidth_);
    };
    if (bevelOuter_ != HtmlBevel::bvNone)
        bevel(bevelOuter_ == HtmlBevel::bvRaised);
    if (bevelInner_ != HtmlBevel::bvNone)
        bevel(bevelInner_ == HtmlBevel::bvRaised);
    if (borderSingle_ && borderWidth_ > 0)
        canvas.FrameRect(r, clBlack, borderWidth_);

    Rect area = TextArea();
    LayoutInputs inputs{area, GetFont(), hover_, vAlignment_, html_};
    if (layoutInputs_ != inputs) {
        int dy = 0;
        if (vAlignment_ != TextVAlignment::tvaTop) {
            int textHeight = Layout(dc, area, false).height;
            if (textHeight < area.Height())
                dy = vAlignment_ == TextVAlignment::tvaCenter ? (area.Height() - textHeight) / 2
                                                              : area.Height() - textHeight;
        }
        layout_ = Layout(dc, Rect{area.left, area.top + dy, area.right, area.bottom}, true);
        layoutInputs_ = std::move(inputs);
    }

    if (layout_.body)
        canvas.FillRect(area, *layout_.body);
    for (const HtmlBand& band : layout_.bands)
        canvas.FillRect(band.rect, band.color);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    if (!Enabled()) {
        DrawLayout(canvas, layout_, 1, 1, clWhite);
        DrawLayout(canvas, layout_, 0, 0, kDisabledGrey);
    } else {
        DrawLayout(canvas, layout_, 0, 0, std::nullopt);
    }
    SelectClipRgn(dc, nullptr);
    if (GetFocus() == Handle() && focusedLink_ >= 0 && focusedLink_ < static_cast<int>(layout_.links.size()))
        for (const Rect& link : layout_.links[focusedLink_]) {
            RECT rc = ToRECT(link);
            DrawFocusRect(dc, &rc);
        }
}

void THTMLStaticText::DrawLayout(Canvas& canvas, const HtmlLayout& layout, int dx, int dy, std::optional<Color> forced)
{
    HDC dc = canvas.Handle();
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    for (const HtmlPlacedWord& word : layout.words) {
        HtmlStyle style = word.style;
        Color color = style.color;
        std::optional<Color> background = style.background;
        if (style.link >= 0) {
            color = urlColor_;
            style.underline = !hover_ || style.link == hoverLink_;
            if (hover_ && style.link == hoverLink_ && !forced) {
                if (hoverFontColor_)
                    color = *hoverFontColor_;
                if (hoverColor_)
                    background = hoverColor_;
            }
        }
        if (style.blink && blinkOff_)
            color = GetColor();
        if (forced)
            color = *forced;
        SelectGuard select(dc, FontFor(style));
        const int x = word.rect.left + dx, y = word.rect.top + dy;
        if (style.shadow && !forced) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ToColorRef(shadowColor_));
            TextOutA(dc, x + shadowOffset_, y + shadowOffset_, word.text.c_str(), static_cast<int>(word.text.size()));
        }
        if (background && !forced) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ToColorRef(*background));
        } else {
            SetBkMode(dc, TRANSPARENT);
        }
        SetTextColor(dc, ToColorRef(color));
        TextOutA(dc, x, y, word.text.c_str(), static_cast<int>(word.text.size()));
    }
    for (const HtmlPlacedPicture& picture : layout.pictures) {
        const Rect& r = picture.rect;
        bool large = false;
        if (auto index = SystemIconIndex(picture.source, large)) {
            ImageList_Draw(SystemImageList(large), *index, dc, r.left + dx, r.top + dy, ILD_TRANSPARENT);
            continue;
        }
        HBITMAP bitmap = LoadPicture(picture.source);
        if (!bitmap)
            continue; // a missing picture draws nothing
        SIZE size = BitmapSize(bitmap);
        MemoryDC source(dc);
        SelectGuard select(source.Get(), bitmap);
        StretchBlt(dc, r.left + dx, r.top + dy, r.Width(), r.Height(), source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    }
    for (const HtmlPlacedBullet& bullet : layout.bullets) {
        HtmlStyle style = bullet.style;
        style.face = "Symbol";
        SelectGuard select(dc, FontFor(style));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(forced ? *forced : bullet.style.color));
        const char mark = bullet.filled ? static_cast<char>(0xB7) : 'o';
        TextOutA(dc, bullet.rect.left + dx, bullet.rect.top + dy, &mark, 1);
    }
    for (const Rect& rule : layout.rules)
        canvas.Line(rule.left + dx, rule.top + dy, rule.right + dx, rule.top + dy, forced ? *forced : clBlack);
}

int THTMLStaticText::LinkAt(int x, int y) const
{
    for (size_t link = 0; link < layout_.links.size(); ++link)
        for (const Rect& r : layout_.links[link])
            if (r.Contains(x, y))
                return static_cast<int>(link);
    return -1;
}

void THTMLStaticText::FollowLink(int link, bool fromKeyboard)
{
    if (link < 0 || link >= static_cast<int>(links_.size()))
        return;
    const std::string& target = links_[link];
    if (OpensWithShell(target)) {
        Application::Instance().Services().OpenWithShell(target);
        return;
    }
    AnchorEvent& event = fromKeyboard ? OnAnchorKeypress : OnAnchorClick;
    if (event)
        event(*this, target);
}

void THTMLStaticText::MouseDown(int x, int y)
{
    if (Handle())
        ::SetFocus(Handle());
    int link = LinkAt(x, y);
    if (link >= 0)
        FollowLink(link, false);
    TControl::MouseDown(x, y); // the control's own OnClick still fires
}

void THTMLStaticText::MouseMove(int x, int y)
{
    TControl::MouseMove(x, y);
    int link = LinkAt(x, y);
    if (link == hoverLink_)
        return;
    if (link >= 0) {
        SetCursor(CursorKind::crHandPoint);
        ::SetCursor(LoadCursor(nullptr, IDC_HAND));
        focusedLink_ = -1;
        if (anchorHint_)
            SetHint(links_[link]);
        if (OnAnchorEnter)
            OnAnchorEnter(*this, links_[link]);
    } else {
        SetCursor(CursorKind::crDefault);
        if (anchorHint_)
            SetHint(plainHint_);
        if (OnAnchorExit && hoverLink_ >= 0 && hoverLink_ < static_cast<int>(links_.size()))
            OnAnchorExit(*this, links_[hoverLink_]);
    }
    hoverLink_ = link;
    if (hover_)
        Invalidate();
}

void THTMLStaticText::MouseLeave()
{
    if (hoverLink_ >= 0) {
        hoverLink_ = -1;
        SetCursor(CursorKind::crDefault);
        if (hover_)
            Invalidate();
    }
}

LRESULT THTMLStaticText::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int links = static_cast<int>(layout_.links.size());
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter follows the focused link rather than pressing the window's default button.
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (wParam == VK_RETURN && links > 0)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SETFOCUS:
        if (focusedLink_ < 0 && links > 0)
            focusedLink_ = 0;
        Invalidate();
        return 0;
    case WM_KILLFOCUS:
        Invalidate();
        return 0;
    case WM_KEYDOWN:
        if (links > 0 && (wParam == VK_LEFT || wParam == VK_UP)) {
            focusedLink_ = focusedLink_ <= 0 ? links - 1 : focusedLink_ - 1;
            Invalidate();
            return 0;
        }
        if (links > 0 && (wParam == VK_RIGHT || wParam == VK_DOWN)) {
            focusedLink_ = focusedLink_ < 0 || focusedLink_ >= links - 1 ? 0 : focusedLink_ + 1;
            Invalidate();
            return 0;
        }
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            FollowLink(focusedLink_, true);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kBlinkTimer) {
            blinkOff_ = !blinkOff_;
            if (hasBlink_)
                Invalidate();
            return 0;
        }
        break;
    case WM_DESTROY:
        KillTimer(Handle(), kBlinkTimer);
        break;
    default:
        break;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

AccessibleFacts THTMLStaticText::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::StaticText;
    facts.name = HtmlPlainText(ParseHtml(html_, HtmlStyle{}));
    return facts;
}

} // namespace qm
