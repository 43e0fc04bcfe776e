#pragma once
// A modal list of values under a title: the information window fills one of
// its four pages (text, check list, list, name-and-value rows) and shows it.
#include <string>
#include <vector>

#include "framework/form.h"
#include "sysinfo/viewer/overview_texts.h"

namespace qm {

class TCheckListBox;
class TListView;
class TNotebook;
class TPanel;

class TdlgMSI_Detail : public TForm {
public:
    enum Page { pgMemo = 0, pgCheckBox = 1, pgListbox = 2, pgListView = 3 };

    explicit TdlgMSI_Detail(Application& application);
    const char* ClassName() const override { return "TdlgMSI_Detail"; }

    void SetPage(Page page);
    void SetTitle(const std::string& title);
    void AddCheckItems(const std::vector<CheckItem>& items);
    // Every item ticked: lists of what is there.
    void AddCheckedItems(const std::vector<std::string>& items);
    void AddRow(const std::string& name, const std::string& value);

    TCheckListBox& CheckList() const { return *clb; }
    TListView& Rows() const { return *lv; }
    TPanel& Title() const { return *TitlePanel; }

    // Check marks show collected values: a click puts its mark back.
    void clbClickCheck(Component& sender);

protected:
    void DescriptionLoaded() override;

private:
    TPanel* TitlePanel = nullptr;
    TNotebook* Notebook = nullptr;
    TCheckListBox* clb = nullptr;
    TListView* lv = nullptr;
};

// The read-only rule of every check list of the viewer: the box under the
// mouse gets its mark back, without the handler seeing its own change.
void KeepCheckMark(TCheckListBox& list);

} // namespace qm
