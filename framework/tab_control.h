#pragma once
// The system tab control: a strip of tabs, on one row or wrapped onto
// several, above an area for other controls. TTabControl holds one set of
// controls under tabs named by text; TPageControl holds one sheet per tab
// and shows the selected one.
#include <windows.h>

#include <commctrl.h>

#include "framework/win_control.h"

namespace qm {

class TCustomTabControl : public TWinControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool on);
    // The area below the tabs, where the controls inside go.
    Rect ClientRect() const override;
    // The selected tab's position among the tabs shown, or -1.
    int TabIndex() const;
    int TabCount() const;
    std::string TabText(int index) const;

    NotifyEvent OnChange;

protected:
    TCustomTabControl();
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    bool AcceptsControls() const override { return true; }
    bool Notify(NMHDR& header, LRESULT& result) override;
    void BoundsChanged() override;
    void HandleCreated() override;
    // Replaces the tabs; `selected` is the one to select (-1: none).
    void SetTabs(const std::vector<std::string>& texts, int selected);
    void SelectTab(int index);
    // The user selected another tab.
    virtual void TabChanged() {}

private:
    bool multiLine_ = false;
    std::vector<std::string> shownTabs_; // what the window holds now
};

class TTabControl : public TCustomTabControl {
public:
    TTabControl();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    std::vector<std::string> Tabs() const { return tabs_; }
    void SetTabs(const std::vector<std::string>& tabs);
    int TabIndex() const { return TCustomTabControl::TabIndex(); }
    void SetTabIndex(int index);

protected:
    void HandleCreated() override;
    void TabChanged() override;

private:
    std::vector<std::string> tabs_;
    int tabIndex_ = -1; // kept for before the window exists
};

class TPageControl;

// One page of a page control: a container whose caption is its tab's text.
class TTabSheet : public TControl {
public:
    TTabSheet();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    TPageControl* PageControl() const;

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;
    void CaptionChanged() override;

private:
    friend class TPageControl;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

class TPageControl : public TCustomTabControl {
public:
    TPageControl();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override;
    void Loaded() override;

    const std::vector<TTabSheet*>& Pages() const { return pages_; }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    std::string ActivePageName() const { return active_ ? active_->Name() : std::string(); }
    void SetActivePageName(const std::string& name);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // Shows the tabs again after a sheet's caption or tab visibility changed.
    void UpdateTabs();

protected:
    void HandleCreated() override;
    void TabChanged() override;

private:
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    std::string activeName_;
};

} // namespace qm
