#include "framework/tree_view.h"

namespace qm {

// ---- TTreeNode -----------------------------------------------------------------

std::string TTreeNode::Text() const
{
    char buffer[1024] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = item_;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(owner_.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* parent = Parent(); parent; parent = parent->Parent())
        ++level;
    return level;
}

TTreeNode* TTreeNode::Parent() const
{
    auto parent = reinterpret_cast<HTREEITEM>(
        SendMessageA(owner_.Handle(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item_)));
    return parent ? owner_.NodeOf(parent) : nullptr;
}

std::vector<TTreeNode*> TTreeNode::Children() const
{
    std::vector<TTreeNode*> children;
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageA(owner_.Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item_)));
    while (child) {
        children.push_back(owner_.NodeOf(child));
        child = reinterpret_cast<HTREEITEM>(
            SendMessageA(owner_.Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return children;
}

int TTreeNode::ImageIndex() const
{
    TVITEMA item{};
    item.mask = TVIF_IMAGE;
    item.hItem = item_;
    SendMessageA(owner_.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

bool TTreeNode::Expanded() const
{
    return SendMessageA(owner_.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED) &
        TVIS_EXPANDED;
}

void TTreeNode::Expand()
{
    SendMessageA(owner_.Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::Collapse()
{
    SendMessageA(owner_.Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::SortChildren()
{
    SendMessageA(owner_.Handle(), TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(item_));
}

// ---- TTreeView ---------------------------------------------------------------------

const TypeInfo& TTreeView::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<TTreeView, &TTreeView::ReadOnly, &TTreeView::SetReadOnly>("ReadOnly"),
        BoolProperty<TTreeView, &TTreeView::ShowLines, &TTreeView::SetShowLines>("ShowLines"),
        BoolProperty<TTreeView, &TTreeView::ShowRoot, &TTreeView::SetShowRoot>("ShowRoot"),
        ReferenceProperty<TTreeView, &TTreeView::ImagesName, &TTreeView::SetImagesName>("Images"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TTreeView, &TTreeView::OnChange>("OnChange"),
        MakeEvent<TTreeView, &TTreeView::OnDblClick>("OnDblClick"),
        MakeEvent<TTreeView, &TTreeView::OnExpanded>("OnExpanded"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TTreeView>("TTreeView", &TWinControl::StaticType, kProperties, kEvents);
    return kType;
}

TTreeView::TTreeView()
{
    SetBounds(Rect::FromBounds(0, 0, 121, 97));
    SetColor(clWindow);
}

WindowClass TTreeView::ControlClass() const
{
    static const WindowClass kClass = CommonControlClass(WC_TREEVIEWA);
    return kClass;
}

DWORD TTreeView::ControlStyle() const
{
    DWORD style = TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
    if (showLines_)
        style |= TVS_HASLINES;
    if (showRoot_)
        style |= TVS_LINESATROOT;
    if (!readOnly_)
        style |= TVS_EDITLABELS;
    return style;
}

void TTreeView::Loaded()
{
    TWinControl::Loaded();
    images_.Resolve(*this);
}

void TTreeView::SetImagesName(const std::string& name)
{
    images_.SetName(*this, name);
    SetImages(images_.List());
}

void TTreeView::SetImages(TImageList* images)
{
    images_.Set(images);
    if (Handle())
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.Handle()));
}

void TTreeView::HandleCreated()
{
    TWinControl::HandleCreated();
    SetImages(images_.List());
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text, int imageIndex, int data)
{
    if (!Handle())
        return nullptr;
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent->Item() : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = imageIndex;
    nodes_.emplace_back(*this, nullptr, data);
    TTreeNode* node = &nodes_.back();
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!item) {
        nodes_.pop_back();
        return nullptr;
    }
    node->item_ = item;
    return node;
}

void TTreeView::Clear()
{
    if (Handle())
        SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    nodes_.clear();
}

std::vector<TTreeNode*> TTreeView::Roots() const
{
    std::vector<TTreeNode*> roots;
    if (!Handle())
        return roots;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    while (item) {
        roots.push_back(NodeOf(item));
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return roots;
}

TTreeNode* TTreeView::NodeOf(HTREEITEM item) const
{
    if (!item || !Handle())
        return nullptr;
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return nullptr;
    return reinterpret_cast<TTreeNode*>(data.lParam);
}

TTreeNode* TTreeView::Selected() const
{
    if (!Handle())
        return nullptr;
    return NodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::Select(TTreeNode* node)
{
    if (Handle())
        SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->Item() : nullptr));
}

bool TTreeView::Notify(NMHDR& header, LRESULT& result)
{
    result = 0;
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (OnChange)
            OnChange(*this);
        return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
        if (OnExpanded)
            OnExpanded(*this);
        return true;
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick(*this);
        return false; // the tree still expands or collapses the node
    default:
        return false;
    }
}

} // namespace qm
