#pragma once
// The system list box and combo box, and a list box whose items carry check
// marks.
#include "framework/win_control.h"

namespace qm {

// What the item lists of the list and combo boxes share.
class TItemsControl : public TWinControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    int AddItem(const std::string& item);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
    void SetItem(int index, const std::string& text);
    // The selected item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);

    NotifyEvent OnChange;

protected:
    // The window messages of the concrete control.
    struct Messages {
        UINT addString, deleteString, insertString, resetContent, getCurSel, setCurSel;
    };
    explicit TItemsControl(const Messages& messages);
    void HandleCreated() override;
    void SendItems();

private:
    Messages messages_;
    std::vector<std::string> items_;
    int itemIndex_ = -1; // kept for before the window exists
};

class TListBox : public TItemsControl {
public:
    TListBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool on) { integralHeight_ = on; }
    // Items flow into this many columns side by side; 0 for one list.
    int Columns() const { return columns_; }
    void SetColumns(int columns);

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    DWORD ExStyle() const override { return TItemsControl::ExStyle() | WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    bool Command(WORD code) override;
    void BoundsChanged() override;

private:
    bool integralHeight_ = false;
    int columns_ = 0;
};

// Check marks drawn beside each item. The box is 13 pixels square at the
// item's left, as the system draws check boxes.
class TCheckListBox : public TListBox {
public:
    TCheckListBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // Adds an item with its check mark.
    int AddItem(const std::string& item, bool checked);
    void Clear();
    // The item at a point in the box's client pixels, or -1.
    int ItemAtPoint(int x, int y) const;

    // The user toggled a check mark (click on the box or the space bar).
    NotifyEvent OnClickCheck;

protected:
    DWORD ControlStyle() const override;
    void HandleCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Toggle(int index);
    int ItemHeight();
    // The drawn check box, at the screen's resolution.
    int CheckBoxSize() const { return ScaleFromDesign(13, Dpi()); }
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::vector<bool> checked_;
};

class TComboBox : public TItemsControl {
public:
    enum class Style { csDropDown, csDropDownList };
    TComboBox();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    Style GetStyle() const { return style_; }
    void SetStyle(Style style) { style_ = style; }
    // The edit part's text, or the selected item's.
    std::string Text() const;
    void SetText(const std::string& text);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count < 1 ? 1 : count; }

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    bool Command(WORD code) override;
    int WindowHeight() const override;

private:
    Style style_ = Style::csDropDown;
    int dropDownCount_ = 8;
};

} // namespace qm
