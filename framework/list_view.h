#pragma once
// The system list view in report style: columns described with the window,
// rows added by the program, small pictures from an image list, and sorting
// by a click on a column header.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "framework/image_list.h"
#include "framework/win_control.h"

namespace qm {

struct TListColumn {
    std::string caption;
    int width = 50;
    static const TypeInfo& StaticType();
};

enum class ViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum class SortType { stNone, stText };

class TListView : public TWinControl {
public:
    TListView();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    ViewStyle GetViewStyle() const { return viewStyle_; }
    void SetViewStyle(ViewStyle style) { viewStyle_ = style; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide) { hideSelection_ = hide; }
    // Whether the column headers can be clicked.
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool on) { columnClick_ = on; }
    // With stText a header click sorts by that column, again reverses.
    SortType GetSortType() const { return sortType_; }
    void SetSortType(SortType type) { sortType_ = type; }
    const std::string& SmallImagesName() const { return smallImages_.Name(); }
    void SetSmallImagesName(const std::string& name);
    void SetSmallImages(TImageList* images);

    const std::vector<TListColumn>& Columns() const { return columns_; }
    void AddColumn(const std::string& caption, int width);

    // Rows.
    void Clear();
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {}, int imageIndex = -1);
    int Count() const;
    std::string ItemText(int index, int column = 0) const;
    int ItemImage(int index) const;
    void DeleteItem(int index);
    // The selected row, or -1.
    int Selected() const;
    void SetSelected(int index);
    // Sorts the rows by a column's text (numbers by value).
    void SortByColumn(int column, bool ascending);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }

    std::function<void(Component& sender, int column)> OnColumnClick;
    NotifyEvent OnChange;
    NotifyEvent OnDblClick;

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    DWORD ExStyle() const override { return TWinControl::ExStyle() | WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    // Column widths follow the resolution, as the font does.
    void FontChanged() override;
    bool Notify(NMHDR& header, LRESULT& result) override;

private:
    static std::vector<TListColumn>& ColumnsOf(TListView& view) { return view.columns_; }
    static void ColumnsChanged(TListView& view) { view.SendColumns(); }
    void SendColumns();
    void SendExtendedStyle();

    ViewStyle viewStyle_ = ViewStyle::vsReport;
    bool readOnly_ = true;
    bool rowSelect_ = false;
    bool hideSelection_ = true;
    bool columnClick_ = true;
    SortType sortType_ = SortType::stNone;
    ImageListLink smallImages_;
    std::vector<TListColumn> columns_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

} // namespace qm
