#pragma once
// Pages stacked in one place with no tabs: the program shows one by index.
#include "framework/control.h"

namespace qm {

class TPage : public TControl {
public:
    TPage();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;
};

class TNotebook : public TControl {
public:
    TNotebook();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override;
    void Loaded() override;

    const std::vector<TPage*>& Pages() const { return pages_; }
    int PageIndex() const { return pageIndex_; }
    // Shows the page at `index` and hides the others; out of range is ignored.
    void SetPageIndex(int index);

protected:
    bool AcceptsControls() const override { return true; }
    void Paint(Canvas& canvas) override;

private:
    void ShowActivePage();

    std::vector<TPage*> pages_;
    int pageIndex_ = 0;
};

} // namespace qm
