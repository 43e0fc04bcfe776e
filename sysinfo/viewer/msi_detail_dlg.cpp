#include "sysinfo/viewer/msi_detail_dlg.h"

#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/notebook.h"
#include "framework/panel.h"

namespace qm {

void KeepCheckMark(TCheckListBox& list)
{
    NotifyEvent handler = std::move(list.OnClickCheck);
    list.OnClickCheck = nullptr;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(list.Handle(), &cursor);
    int index = list.ItemAtPoint(cursor.x, cursor.y);
    // The space bar toggles the selected item, wherever the mouse is.
    if (index < 0)
        index = list.ItemIndex();
    if (index >= 0)
        list.SetChecked(index, !list.Checked(index));
    list.OnClickCheck = std::move(handler);
}

TdlgMSI_Detail::TdlgMSI_Detail(Application& application) : TForm(application)
{
    Handler("clbClickCheck", &TdlgMSI_Detail::clbClickCheck);
}

void TdlgMSI_Detail::DescriptionLoaded()
{
    TitlePanel = &Find<TPanel>("TitlePanel");
    Notebook = &Find<TNotebook>("Notebook");
    clb = &Find<TCheckListBox>("clb");
    lv = &Find<TListView>("lv");
}

void TdlgMSI_Detail::SetPage(Page page)
{
    Notebook->SetPageIndex(page);
}

void TdlgMSI_Detail::SetTitle(const std::string& title)
{
    TitlePanel->SetCaption(title);
}

void TdlgMSI_Detail::AddCheckItems(const std::vector<CheckItem>& items)
{
    for (const CheckItem& item : items)
        clb->AddItem(item.name, item.checked);
}

void TdlgMSI_Detail::AddCheckedItems(const std::vector<std::string>& items)
{
    for (const std::string& item : items)
        clb->AddItem(item, true);
}

void TdlgMSI_Detail::AddRow(const std::string& name, const std::string& value)
{
    lv->AddItem(name, {value});
}

void TdlgMSI_Detail::clbClickCheck(Component& sender)
{
    KeepCheckMark(static_cast<TCheckListBox&>(sender));
}

} // namespace qm
