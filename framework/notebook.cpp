#include "framework/notebook.h"

namespace qm {

TPage::TPage()
{
    SetAlign(Align::Client);
    SetParentColor(true);
    SetVisible(false);
}

const TypeInfo& TPage::StaticType()
{
    static constexpr TypeInfo kType = ComponentType<TPage>("TPage", &TControl::StaticType, {});
    return kType;
}

void TPage::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

TNotebook::TNotebook()
{
    SetBounds(Rect::FromBounds(0, 0, 150, 150));
    SetParentColor(true);
}

const TypeInfo& TNotebook::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TNotebook, &TNotebook::PageIndex, &TNotebook::SetPageIndex>("PageIndex"),
    };
    static constexpr TypeInfo kType = ComponentType<TNotebook>("TNotebook", &TControl::StaticType, kProperties);
    return kType;
}

void TNotebook::InsertChild(Component& child)
{
    auto* page = dynamic_cast<TPage*>(&child);
    if (!page)
        throw EFormDescription(child.Name() + ": a notebook holds pages only");
    TControl::InsertChild(child);
    pages_.push_back(page);
}

void TNotebook::Loaded()
{
    TControl::Loaded();
    ShowActivePage();
}

void TNotebook::SetPageIndex(int index)
{
    if (index < 0 || (!IsLoading() && index >= static_cast<int>(pages_.size())))
        return;
    pageIndex_ = index;
    if (!IsLoading())
        ShowActivePage();
}

void TNotebook::ShowActivePage()
{
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->SetVisible(static_cast<int>(i) == pageIndex_);
}

void TNotebook::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

} // namespace qm
