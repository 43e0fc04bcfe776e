#pragma once
// Formatted text from a small subset of HTML: bold and other runs, fonts and
// colours, line breaks, paragraphs, lists, pictures, rules and links.
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/device_context.h"
#include "widgets/html_layout.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class TextVAlignment { tvaTop, tvaCenter, tvaBottom };
using AnchorEvent = std::function<void(Component& sender, const std::string& anchor)>;

class THTMLStaticText : public TControl {
public:
    THTMLStaticText();
    ~THTMLStaticText() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;
    void CreateHandle(HWND parentWindow) override;

    const std::string& HTMLText() const { return html_; }
    void SetHTMLText(std::string text);
    bool EnableBlink() const { return enableBlink_; }
    void SetEnableBlink(bool on);
    bool AutoSizing() const { return autoSizing_; }
    void SetAutoSizing(bool on);
    // What the last paint laid out, for hit tests and tests.
    const HtmlLayout& LastLayout() const { return layout_; }
    int FocusedLink() const { return focusedLink_; }

    AnchorEvent OnAnchorClick;
    AnchorEvent OnAnchorEnter;
    AnchorEvent OnAnchorExit;
    AnchorEvent OnAnchorKeypress;

protected:
    void Paint(Canvas& canvas) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MouseDown(int x, int y) override;
    void MouseMove(int x, int y) override;
    bool FollowsPointer() const override { return true; }
    void MouseLeave() override;

private:
    class GdiMeasurer;
    HtmlLayout Layout(HDC dc, const Rect& area, bool clip);
    Rect TextArea() const;
    int LinkAt(int x, int y) const;
    void FollowLink(int link, bool fromKeyboard);
    void DrawLayout(Canvas& canvas, const HtmlLayout& layout, int dx, int dy, std::optional<Color> forced);
    HFONT FontFor(const HtmlStyle& style);
    HBITMAP LoadPicture(const std::string& source);
    void FitToText();

    std::string html_;
    std::vector<std::string> links_; // targets, read once per text
    bool hasBlink_ = false;
    Color urlColor_ = clBlue;
    bool hover_ = false;
    std::optional<Color> hoverColor_, hoverFontColor_;
    Color shadowColor_ = clGray;
    int shadowOffset_ = 1;
    bool anchorHint_ = false;
    bool autoSizing_ = false;
    bool enableBlink_ = false;
    TextVAlignment vAlignment_ = TextVAlignment::tvaTop;
    int bevelWidth_ = 1, borderWidth_ = 0;
    // bvNone, bvLowered, bvRaised, bvSpace (drawn lowered).
    enum class HtmlBevel { bvNone, bvLowered, bvRaised, bvSpace };
    HtmlBevel bevelOuter_ = HtmlBevel::bvNone, bevelInner_ = HtmlBevel::bvNone;
    bool borderSingle_ = false;

    // What the last layout was made for: paints (blinking, hovering, a
    // fading parent) lay the text out again only when one of these changes.
    struct LayoutInputs {
        Rect area;
        FontSpec font;
        bool hover = false;
        TextVAlignment vAlignment = TextVAlignment::tvaTop;
        std::string html;
        friend bool operator==(const LayoutInputs&, const LayoutInputs&) = default;
    };
    std::optional<LayoutInputs> layoutInputs_;
    HtmlLayout layout_;
    int hoverLink_ = -1;
    int focusedLink_ = -1;
    bool blinkOff_ = false;
    std::string plainHint_;
    std::map<std::string, Font> fonts_;
    std::map<std::string, Bitmap> pictures_;
};

} // namespace qm
