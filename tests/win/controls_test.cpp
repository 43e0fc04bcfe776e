// The system controls in a window built from its description, used the way
// a person does: keys and clicks through the system's input queue.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "framework/application.h"
#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/common_dialogs.h"
#include "framework/edit.h"
#include "framework/group_box.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/progress_bar.h"
#include "framework/radio_button.h"
#include "framework/static_text.h"
#include "framework/tab_control.h"
#include "framework/tree_view.h"
#include "test_support.h"

namespace qm {
namespace {

class TControlTestForm : public TForm {
public:
    explicit TControlTestForm(Application& application) : TForm(application)
    {
        Handler("OkButtonClick", &TControlTestForm::OkButtonClick);
        Handler("CancelButtonClick", &TControlTestForm::CancelButtonClick);
        Handler("AgreeCheckClick", &TControlTestForm::AgreeCheckClick);
        Handler("NameEditChange", &TControlTestForm::NameEditChange);
        Handler("FlagListClickCheck", &TControlTestForm::FlagListClickCheck);
        Handler("PagesChange", &TControlTestForm::PagesChange);
    }
    const char* ClassName() const override { return "TControlTestForm"; }

    void OkButtonClick(Component&) { ++okClicks; }
    void CancelButtonClick(Component&) { ++cancelClicks; }
    void AgreeCheckClick(Component&) { ++agreeClicks; }
    void NameEditChange(Component&) { ++nameChanges; }
    void FlagListClickCheck(Component&) { ++flagChecks; }
    void PagesChange(Component&) { ++pageChanges; }

    int okClicks = 0, cancelClicks = 0, agreeClicks = 0, nameChanges = 0, flagChecks = 0, pageChanges = 0;
};

void SendKey(WORD key, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

// A key pressed and released, with an optional modifier held.
void Press(WORD key, WORD modifier = 0)
{
    if (modifier)
        SendKey(modifier, true);
    SendKey(key, true);
    SendKey(key, false);
    if (modifier)
        SendKey(modifier, false);
    test::PumpFor(60);
}

// A left click at a point of the screen.
void ClickScreen(POINT point, bool twice = false)
{
    SetCursorPos(point.x, point.y);
    test::PumpFor(30);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
        test::PumpFor(30);
    }
    // Clicks that follow are clicks of their own, not a double click.
    test::PumpFor(twice ? 60 : static_cast<int>(GetDoubleClickTime()) + 60);
}

POINT CentreOf(HWND window, RECT r)
{
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(window, &p);
    return p;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(services);
        app->SetOnException([](const std::exception& e) { ADD_FAILURE() << e.what(); });
        form = &app->CreateForm<TControlTestForm>();
        form->Show();
        ASSERT_TRUE(test::PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
        test::PumpFor(100);
    }
    void TearDown() override { app.reset(); }

    template <class T> T& Get(const char* name) { return form->Find<T>(name); }
    // The control that has the keyboard focus, by name; "" for none of ours.
    std::string FocusName()
    {
        HWND focus = GetFocus();
        // A combo box's own edit field has the focus for its box.
        for (HWND w = focus; w; w = GetParent(w))
            if (auto* control = dynamic_cast<TControl*>(WindowObject::FromHandle(w)))
                return control->Name();
        return "";
    }

    test::FakeServices services;
    std::unique_ptr<Application> app;
    TControlTestForm* form = nullptr;
};

TEST_F(Controls, DescribedPropertiesReachTheSystemControls)
{
    EXPECT_EQ(Get<TEdit>("NameEdit").Text(), "start");
    EXPECT_EQ(Get<TComboBox>("KindCombo").ItemIndex(), 1);
    EXPECT_EQ(Get<TComboBox>("KindCombo").Text(), "Two");
    EXPECT_TRUE(Get<TRadioButton>("FastRadio").Checked());
    EXPECT_EQ(SendMessageA(Get<TRadioButton>("FastRadio").Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Get<TListBox>("ChoiceList").Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(Get<TProgressBar>("Progress").Handle(), PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(Get<TMemo>("NotesMemo").Lines(), (std::vector<std::string>{"first line", "second line"}));
    // The page control shows the visible sheets' tabs only, and the active sheet.
    auto& pages = Get<TPageControl>("Pages");
    EXPECT_EQ(pages.TabCount(), 2);
    EXPECT_EQ(pages.TabText(1), "Tree");
    EXPECT_TRUE(IsWindowVisible(Get<TTabSheet>("RowsSheet").Handle()));
    EXPECT_FALSE(IsWindowVisible(Get<TTabSheet>("TreeSheet").Handle()));
    // The sheet fills the area below the tabs.
    RECT sheet;
    GetWindowRect(Get<TTabSheet>("RowsSheet").Handle(), &sheet);
    MapWindowPoints(nullptr, pages.Handle(), reinterpret_cast<POINT*>(&sheet), 2);
    RECT display{0, 0, pages.Width(), pages.Height()};
    SendMessageA(pages.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(sheet.top, display.top);
    EXPECT_EQ(sheet.bottom, display.bottom);
    // The list view's columns come from the description.
    HWND header = reinterpret_cast<HWND>(SendMessageA(Get<TListView>("Rows").Handle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(Controls, TabAndShiftTabWalkTheDescribedOrder)
{
    const std::vector<std::string> order{"NameEdit",   "KindCombo", "AgreeCheck", "FastRadio",
                                         "ChoiceList", "FlagList",  "Pages",      "Rows",
                                         "Strip",      "NotesMemo", "OkButton",   "CancelButton"};
    Get<TEdit>("NameEdit").SetFocus();
    ASSERT_EQ(FocusName(), "NameEdit");
    for (size_t i = 1; i <= order.size(); ++i) {
        Press(VK_TAB);
        EXPECT_EQ(FocusName(), order[i % order.size()]) << "after " << i << " Tab";
    }
    for (size_t i = order.size(); i-- > 0;) {
        Press(VK_TAB, VK_SHIFT);
        EXPECT_EQ(FocusName(), order[i]) << "Shift+Tab";
    }
}

TEST_F(Controls, EscapeAndEnterPressTheCancelAndDefaultButtonsOnce)
{
    Get<TEdit>("NameEdit").SetFocus();
    Press(VK_ESCAPE);
    EXPECT_EQ(form->cancelClicks, 1);
    EXPECT_EQ(form->okClicks, 0);
    Press(VK_RETURN);
    EXPECT_EQ(form->okClicks, 1);
    EXPECT_EQ(form->cancelClicks, 1);
    // A focused push button takes Enter itself.
    Get<TButton>("CancelButton").SetFocus();
    Press(VK_RETURN);
    EXPECT_EQ(form->cancelClicks, 2);
    EXPECT_EQ(form->okClicks, 1);
}

TEST_F(Controls, MnemonicsAndArrowKeysActAsInDialogs)
{
    Get<TButton>("OkButton").SetFocus();
    Press('N', VK_MENU);
    EXPECT_EQ(FocusName(), "NameEdit");
    Press('A', VK_MENU);
    EXPECT_TRUE(Get<TCheckBox>("AgreeCheck").Checked());
    EXPECT_EQ(form->agreeClicks, 1);
    // Arrows move within the radio group and check what they reach.
    Get<TRadioButton>("FastRadio").SetFocus();
    Press(VK_DOWN);
    EXPECT_EQ(FocusName(), "SlowRadio");
    EXPECT_TRUE(Get<TRadioButton>("SlowRadio").Checked());
    EXPECT_FALSE(Get<TRadioButton>("FastRadio").Checked());
    // Tab now stops at the checked button of the group.
    Get<TCheckBox>("AgreeCheck").SetFocus();
    Press(VK_TAB);
    EXPECT_EQ(FocusName(), "SlowRadio");
}

TEST_F(Controls, TypingChangesTheEditAndRaisesOnChange)
{
    Get<TEdit>("NameEdit").SetFocus();
    const int before = form->nameChanges;
    Press('X');
    EXPECT_GT(form->nameChanges, before);
    EXPECT_NE(Get<TEdit>("NameEdit").Text().find('x'), std::string::npos);
}

TEST_F(Controls, AColumnClickSortsTheRows)
{
    auto& rows = Get<TListView>("Rows");
    rows.AddItem("beta", {"2"});
    rows.AddItem("alpha", {"10"});
    rows.AddItem("gamma", {"1"});
    HWND header = reinterpret_cast<HWND>(SendMessageA(rows.Handle(), LVM_GETHEADER, 0, 0));
    RECT sizeColumn{}, nameColumn{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&sizeColumn));
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&nameColumn));
    ClickScreen(CentreOf(header, sizeColumn));
    // Sizes by value, not as text.
    EXPECT_EQ(rows.ItemText(0), "gamma");
    EXPECT_EQ(rows.ItemText(1), "beta");
    EXPECT_EQ(rows.ItemText(2), "alpha");
    ClickScreen(CentreOf(header, sizeColumn));
    EXPECT_EQ(rows.ItemText(0), "alpha");
    ClickScreen(CentreOf(header, nameColumn));
    EXPECT_EQ(rows.ItemText(0), "alpha");
    EXPECT_EQ(rows.ItemText(2), "gamma");
    EXPECT_EQ(rows.ItemText(2, 1), "1");
}

TEST_F(Controls, ATabClickShowsItsSheetAndTheTreeExpandsFromTheKeyboard)
{
    auto& pages = Get<TPageControl>("Pages");
    RECT tab{};
    SendMessageA(pages.Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ClickScreen(CentreOf(pages.Handle(), tab));
    EXPECT_EQ(pages.ActivePage(), &Get<TTabSheet>("TreeSheet"));
    EXPECT_EQ(form->pageChanges, 1);
    EXPECT_TRUE(IsWindowVisible(Get<TTabSheet>("TreeSheet").Handle()));
    EXPECT_FALSE(IsWindowVisible(Get<TTabSheet>("RowsSheet").Handle()));

    auto& tree = Get<TTreeView>("Tree");
    TTreeNode* root = tree.AddChild(nullptr, "Computer");
    tree.AddChild(root, "Disk");
    tree.AddChild(root, "Display");
    ASSERT_TRUE(tree.SetFocus());
    tree.Select(root);
    EXPECT_FALSE(root->Expanded());
    Press(VK_RIGHT);
    EXPECT_TRUE(root->Expanded());
    Press(VK_DOWN);
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->Text(), "Disk");
    EXPECT_EQ(tree.Selected()->Level(), 1);
    EXPECT_EQ(tree.Selected()->Parent(), root);
}

TEST_F(Controls, CheckMarksToggleByClickAndSpace)
{
    auto& flags = Get<TCheckListBox>("FlagList");
    RECT item{};
    SendMessageA(flags.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT box{item.left + 6, (item.top + item.bottom) / 2};
    ClientToScreen(flags.Handle(), &box);
    ClickScreen(box);
    EXPECT_TRUE(flags.Checked(1));
    EXPECT_EQ(form->flagChecks, 1);
    Press(VK_SPACE);
    EXPECT_FALSE(flags.Checked(1));
    EXPECT_EQ(form->flagChecks, 2);
    // A click on the text selects without toggling.
    POINT text{item.left + 60, (item.top + item.bottom) / 2};
    ClientToScreen(flags.Handle(), &text);
    ClickScreen(text);
    EXPECT_FALSE(flags.Checked(1));
    EXPECT_EQ(flags.ItemIndex(), 1);
}

TEST_F(Controls, TheFocusReturnsWhenTheWindowIsActivatedAgain)
{
    Get<TCheckBox>("AgreeCheck").SetFocus();
    HWND other =
        CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    test::PumpUntil([&] { return GetForegroundWindow() == other; });
    SetForegroundWindow(form->Handle());
    test::PumpUntil([&] { return GetForegroundWindow() == form->Handle(); });
    test::PumpFor(50);
    EXPECT_EQ(FocusName(), "AgreeCheck");
    DestroyWindow(other);
}

// Wine answers GetGuiResources with 0, so leaks are found through the handle
// tables instead: both reuse freed slots first, so a new object's slot can
// only climb when objects are left behind.
unsigned Slot(const void* handle)
{
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF);
}

// The highest slot among many new objects: beyond every freed slot, where the
// table's unused part begins, which only leaks move.
unsigned GdiSlotNow()
{
    std::vector<Pen> probes;
    unsigned highest = 0;
    for (int i = 0; i < 600; ++i) {
        probes.emplace_back(CreatePen(PS_SOLID, 1, 0));
        highest = std::max(highest, Slot(probes.back().Get()));
    }
    return highest;
}

unsigned UserSlotNow()
{
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const unsigned slot = Slot(probe);
    DestroyWindow(probe);
    return slot;
}

TEST(ControlsLifetime, CreatingAndDestroyingTheWindowLeavesNoSystemObjects)
{
    test::FakeServices services;
    Application app(services);
    auto round = [&] {
        auto form = std::make_unique<TControlTestForm>(app);
        form->Initialize();
        form->Find<TListView>("Rows").AddItem("row", {"1"});
        TTreeNode* node = form->Find<TTreeView>("Tree").AddChild(nullptr, "node");
        form->Find<TTreeView>("Tree").AddChild(node, "leaf");
        form->Show();
        test::PumpFor(0);
    };
    for (int i = 0; i < 20; ++i)
        round();
    const unsigned gdiBefore = GdiSlotNow(), userBefore = UserSlotNow();
    // A leak of one object a round would take 300 slots.
    for (int i = 0; i < 300; ++i)
        round();
    EXPECT_LE(GdiSlotNow(), gdiBefore + 8);
    EXPECT_LE(UserSlotNow(), userBefore + 8);
}

} // namespace
} // namespace qm
