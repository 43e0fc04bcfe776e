#pragma once
// A classic multi-page wizard: a panel filling its window, pages of two kinds
// (a welcome page with a watermark band, an interior page with a white header
// carrying a title, a subtitle and a picture), a footer with Back, Next,
// Finish and Cancel, and named routes of pages that Back and Next walk.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/button.h"
#include "framework/image_list.h"
#include "framework/static_text.h"

namespace qm {

class TwmCustomWizard;
class TwmCustomWizardPage;

enum class TwmPageImageAlign { iaLeft, iaRight };
enum class TwmButtonKind { Back, Next, Finish, Cancel };
// The buttons' captions, in that order, until a page gives its own.
inline constexpr const char* kWizardButtonCaptions[] = {"< Back", "Next >", "Finish", "Cancel"};

using TwmChangingEvent = std::function<void(Component& sender, bool& allowChange)>;
using TwmPageChangingEvent = std::function<void(Component& sender, bool goForward, bool& allowChange)>;
using TwmPageShowEvent = std::function<void(Component& sender, bool goForward)>;
using TwmGetImageEvent = std::function<void(Component& sender, int pageIndex, int& imageIndex)>;

// What a page says about one of the wizard's four buttons while it is shown.
struct TwmPageButton {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    static const TypeInfo& StaticType();
};

// A title or subtitle of a page.
struct TwmTextProperties {
    TextAlignment Alignment = TextAlignment::taLeftJustify;
    bool AutoSize = true;
    FontSpec Font;
    int Left = 0, Top = 0, Width = 0;
    std::string Text;
    static const TypeInfo& StaticType();
};

struct TwmWizardRoutePagesItem {
    std::string PageName; // as described; the page itself once loaded
    TwmCustomWizardPage* Page = nullptr;
    static const TypeInfo& StaticType();
};

struct TwmWizardRouteItem {
    std::string Name;
    std::vector<TwmWizardRoutePagesItem> RoutePagesItems;
    static const TypeInfo& StaticType();
    std::vector<TwmCustomWizardPage*> Pages() const;
};

class TwmCustomWizardPage : public TControl {
public:
    ~TwmCustomWizardPage() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    TwmCustomWizard* Wizard() const { return wizard_; }
    const TwmPageButton& Button(TwmButtonKind kind) const { return buttons_[static_cast<int>(kind)]; }
    void SetButton(TwmButtonKind kind, const TwmPageButton& button);
    const TwmTextProperties& Title() const { return title_; }
    const TwmTextProperties& Subtitle() const { return subtitle_; }
    void SetTitleText(const std::string& text);
    void SetSubtitleText(const std::string& text);
    // The stored image, or what the wizard's OnGetImageIndex makes of it.
    int ImageIndex() const;
    void SetImageIndex(int index);
    int PageIndex() const;
    void SetPageIndex(int index);
    int RoutePageIndex() const;
    void SetRoutePageIndex(int index);
    bool ShowsWizardCaption() const { return showWizardCaption_; }
    // The first control on the page that can take the focus, in tab order.
    TControl* FirstFocusable() const;

    TwmPageChangingEvent OnCanShow, OnCanHide;
    TwmPageShowEvent OnShow, OnHide;

protected:
    explicit TwmCustomWizardPage(bool showWizardCaption);
    bool AcceptsControls() const override { return true; }
    void SetParentWizard(TwmCustomWizard* wizard) { wizard_ = wizard; }
    // Draws a title or subtitle into the rectangle the page gives it.
    void DrawText(Canvas& canvas, const TwmTextProperties& text, int bottom, int shift);
    // Draws image `index` of the wizard's list stretched into `r`; false without one.
    bool DrawImage(Canvas& canvas, const Rect& r);
    int HeaderImageWidth() const { return headerImageWidth_; }
    // Widths follow the texts; the page is drawn again.
    void TextChanged();
    TwmTextProperties title_, subtitle_;

private:
    friend class TwmCustomWizard;
    static void ButtonChanged(TwmCustomWizardPage& page);

    TwmCustomWizard* wizard_ = nullptr;
    TwmPageButton buttons_[4];
    int imageIndex_ = -1;
    int headerImageWidth_ = 52;
    bool showWizardCaption_;
};

class TwmInteriorWizardPage : public TwmCustomWizardPage {
public:
    TwmInteriorWizardPage();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    Rect ClientRect() const override;

protected:
    void Paint(Canvas& canvas) override;

private:
    Color headerColor_ = clWhite;
    int headerHeight_ = 62;
    TwmPageImageAlign headerImageAlign_ = TwmPageImageAlign::iaRight;
    bool headerVisible_ = true;
    bool topLineVisible_ = true;
};

class TwmWelcomeWizardPage : public TwmCustomWizardPage {
public:
    TwmWelcomeWizardPage();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    Rect ClientRect() const override;

protected:
    void Paint(Canvas& canvas) override;

private:
    void SetWatermark(const std::string& resource);
    std::string watermarkName_;
    Bitmap watermark_;
    TwmPageImageAlign watermarkAlign_ = TwmPageImageAlign::iaLeft;
    Color watermarkColor_ = kSystemColorFlag | COLOR_ACTIVECAPTION;
    int watermarkWidth_ = 164;
    int headerImageLeft_ = 90, headerImageTop_ = 18, headerImageHeight_ = 52;
};

class TwmCustomWizard : public TControl {
public:
    TwmCustomWizard();
    ~TwmCustomWizard() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override;
    void Loaded() override;

    TwmCustomWizardPage* ActivePage() const { return activePage_; }
    void SetActivePage(TwmCustomWizardPage* page);
    void SetActivePageIndex(int index);
    const std::vector<TwmCustomWizardPage*>& Pages() const { return pages_; }
    // Pages are added by becoming children; this takes one away.
    void RemovePage(TwmCustomWizardPage& page);

    const std::string& CurrentRouteName() const { return currentRouteName_; }
    void SetCurrentRouteName(const std::string& name);
    std::vector<TwmWizardRouteItem>& Routes() { return routes_; }
    // The pages of the current route; empty without one.
    std::vector<TwmCustomWizardPage*> RoutePages() const;
    TwmWizardRouteItem& AddRoute();
    void DeleteRoute(int index);
    void RenameRoute(int index, const std::string& name);

    TwmCustomWizardPage* FindNextPage(TwmCustomWizardPage* from, bool forward, bool honourVetoes) const;
    void Next();
    void Back();
    TButton& WizardButton(TwmButtonKind kind) { return *buttons_[static_cast<int>(kind)]; }
    const TButton& WizardButton(TwmButtonKind kind) const { return *buttons_[static_cast<int>(kind)]; }

    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool on) { autoFocus_ = on; }
    int FooterHeight() const { return footerHeight_; }
    void SetFooterHeight(int height);
    TImageList* Images() const { return images_.List(); }
    // The area the pages fill.
    Rect ClientRect() const override;

    NotifyEvent OnCancel, OnFinish, OnChange;
    TwmChangingEvent OnChanging;
    TwmGetImageEvent OnGetImageIndex;

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;
    void BoundsChanged() override;
    void CaptionChanged() override;
    void HandleCreated() override;

private:
    friend class TwmCustomWizardPage;
    void AttachPage(TwmCustomWizardPage& page);
    // The page switch, step by step: asked of OnChanging; from the active
    // page to another (or none), which stays when the focus cannot leave
    // it or it vetoes; the focus moved off the page leaving, its OnCanHide
    // and OnHide; the new page in front with its buttons, focus and OnShow.
    bool ChangeAllowed();
    void SwitchTo(TwmCustomWizardPage* page);
    bool MoveFocusOffPage(TwmCustomWizardPage& page);
    // Forward, unless back along the current route.
    bool GoesForward(const TwmCustomWizardPage* from, const TwmCustomWizardPage* to) const;
    bool LeavePage(TwmCustomWizardPage& page, bool goForward);
    void ShowPage(TwmCustomWizardPage& page, bool goForward);
    void FocusOnArrival(TwmCustomWizardPage& page, bool goForward);
    void UpdateButtons();
    void CopyPageButtons(const TwmCustomWizardPage& page);
    void LayoutButtons();
    void LayoutPages();
    void ButtonPressed(TwmButtonKind kind);
    bool CaptionShown() const;
    int CaptionTextHeight();

    std::unique_ptr<TButton> buttons_[4];
    std::vector<TwmCustomWizardPage*> pages_;
    std::vector<TwmWizardRouteItem> routes_;
    std::string currentRouteName_;
    std::string activePageName_;
    TwmCustomWizardPage* activePage_ = nullptr;
    ImageListLink images_;
    bool autoFocus_ = true;
    int footerHeight_ = 40;
    bool switching_ = false;
};

class TwmWizard : public TwmCustomWizard {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
};

} // namespace qm
