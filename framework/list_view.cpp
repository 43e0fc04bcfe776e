#include "framework/list_view.h"

#include <charconv>

namespace qm {

namespace {

constexpr std::string_view kViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
constexpr std::string_view kSortTypeNames[] = {"stNone", "stText"};

struct SortRequest {
    HWND window;
    int column;
    bool ascending;
};

std::string CellText(HWND window, int index, int column)
{
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(window, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool AsNumber(const std::string& text, long long& number)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto [stop, error] = std::from_chars(begin, end, number);
    return error == std::errc() && stop == end && begin != end;
}

// Numbers by value, other texts alphabetically without regard to case.
int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM request)
{
    const auto& sort = *reinterpret_cast<const SortRequest*>(request);
    const std::string a = CellText(sort.window, static_cast<int>(first), sort.column);
    const std::string b = CellText(sort.window, static_cast<int>(second), sort.column);
    long long na = 0, nb = 0;
    int order = AsNumber(a, na) && AsNumber(b, nb) ? (na < nb ? -1 : na > nb ? 1 : 0) : lstrcmpiA(a.c_str(), b.c_str());
    return sort.ascending ? order : -order;
}

} // namespace

const TypeInfo& TListColumn::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TListColumn, &TListColumn::caption>("Caption"),
        IntProperty<TListColumn, &TListColumn::width>("Width"),
    };
    static constexpr TypeInfo kType = RecordType("TListColumn", kProperties);
    return kType;
}

const TypeInfo& TListView::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        EnumProperty<TListView, &TListView::GetViewStyle, &TListView::SetViewStyle>("ViewStyle", kViewStyleNames),
        BoolProperty<TListView, &TListView::ReadOnly, &TListView::SetReadOnly>("ReadOnly"),
        BoolProperty<TListView, &TListView::RowSelect, &TListView::SetRowSelect>("RowSelect"),
        BoolProperty<TListView, &TListView::HideSelection, &TListView::SetHideSelection>("HideSelection"),
        BoolProperty<TListView, &TListView::ColumnClick, &TListView::SetColumnClick>("ColumnClick"),
        EnumProperty<TListView, &TListView::GetSortType, &TListView::SetSortType>("SortType", kSortTypeNames),
        ReferenceProperty<TListView, &TListView::SmallImagesName, &TListView::SetSmallImagesName>("SmallImages"),
        CollectionProperty<TListView, TListColumn, &TListView::ColumnsOf, &TListView::ColumnsChanged>("Columns"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TListView, &TListView::OnColumnClick>("OnColumnClick"),
        MakeEvent<TListView, &TListView::OnChange>("OnChange"),
        MakeEvent<TListView, &TListView::OnDblClick>("OnDblClick"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TListView>("TListView", &TWinControl::StaticType, kProperties, kEvents);
    return kType;
}

TListView::TListView()
{
    SetBounds(Rect::FromBounds(0, 0, 250, 150));
    SetColor(clWindow);
}

WindowClass TListView::ControlClass() const
{
    static const WindowClass kClass = CommonControlClass(WC_LISTVIEWA);
    return kClass;
}

DWORD TListView::ControlStyle() const
{
    static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    DWORD style = kViews[static_cast<int>(viewStyle_)] | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    if (!readOnly_)
        style |= LVS_EDITLABELS;
    if (!hideSelection_)
        style |= LVS_SHOWSELALWAYS;
    if (!columnClick_)
        style |= LVS_NOSORTHEADER;
    return style;
}

void TListView::Loaded()
{
    TWinControl::Loaded();
    smallImages_.Resolve(*this);
}

void TListView::SetSmallImagesName(const std::string& name)
{
    smallImages_.SetName(*this, name);
    SetSmallImages(smallImages_.List());
}

void TListView::SetSmallImages(TImageList* images)
{
    smallImages_.Set(images);
    if (Handle())
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_.Handle()));
}

void TListView::HandleCreated()
{
    TWinControl::HandleCreated();
    SendExtendedStyle();
    SendColumns();
    SetSmallImages(smallImages_.List());
}

void TListView::SetRowSelect(bool on)
{
    rowSelect_ = on;
    SendExtendedStyle();
}

void TListView::SendExtendedStyle()
{
    if (Handle())
        SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::AddColumn(const std::string& caption, int width)
{
    columns_.push_back({caption, width});
    SendColumns();
}

void TListView::FontChanged()
{
    TWinControl::FontChanged();
    if (Handle())
        for (size_t i = 0; i < columns_.size(); ++i)
            SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, i, ScaleFromDesign(columns_[i].width, Dpi()));
}

void TListView::SendColumns()
{
    if (!Handle())
        return;
    while (SendMessageA(Handle(), LVM_DELETECOLUMN, 0, 0))
        ;
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns_[i].caption.c_str());
        column.cx = ScaleFromDesign(columns_[i].width, Dpi());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void TListView::Clear()
{
    if (Handle())
        SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

int TListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems, int imageIndex)
{
    if (!Handle())
        return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = Count();
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = imageIndex;
    const int index = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0)
        return -1;
    for (size_t i = 0; i < subItems.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i + 1);
        sub.pszText = const_cast<char*>(subItems[i].c_str());
        SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
    return index;
}

int TListView::Count() const
{
    return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string TListView::ItemText(int index, int column) const
{
    return Handle() ? CellText(Handle(), index, column) : std::string();
}

int TListView::ItemImage(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    if (!Handle() || !SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

void TListView::DeleteItem(int index)
{
    if (Handle())
        SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

int TListView::Selected() const
{
    if (!Handle())
        return -1;
    return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetSelected(int index)
{
    if (!Handle())
        return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index < 0)
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void TListView::SortByColumn(int column, bool ascending)
{
    sortColumn_ = column;
    sortAscending_ = ascending;
    if (!Handle())
        return;
    SortRequest request{Handle(), column, ascending};
    SendMessageA(Handle(), LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(&CompareRows));
}

bool TListView::Notify(NMHDR& header, LRESULT& result)
{
    switch (header.code) {
    case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
        if (sortType_ == SortType::stText)
            SortByColumn(column, column == sortColumn_ ? !sortAscending_ : true);
        if (OnColumnClick)
            OnColumnClick(*this, column);
        result = 0;
        return true;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) && OnChange)
            OnChange(*this);
        result = 0;
        return true;
    }
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick(*this);
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace qm
