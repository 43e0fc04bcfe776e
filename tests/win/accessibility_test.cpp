#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/main_form.h"
#include "main_window_fixture.h"
#include "optimizer/wizard_form.h"
#include "platform/text_encoding.h"
#include "platform/unique_resource.h"
#include "test_support.h"
#include "widgets/vr_num.h"
#include "widgets/vr_scope.h"
#include "widgets/vr_user_led.h"
#include "x_input.h"

namespace qm {
namespace {

using test::FakeServices;

constexpr std::uint64_t MB = 1048576;

// A screen reader's view of one window: the object the window gives for its
// client area, asked as a reader asks it.
class Reader {
public:
    explicit Reader(HWND window)
    {
        result_ = AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object_));
    }
    HRESULT Result() const { return result_; }
    ~Reader()
    {
        if (object_)
            object_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool Found() const { return object_ != nullptr; }
    IAccessible& Object() { return *object_; }
    long Role()
    {
        Variant role;
        if (FAILED(object_->get_accRole(Self(), role.Get())) || role.Get()->vt != VT_I4)
            return -1;
        return role.Get()->lVal;
    }
    std::string RoleText()
    {
        char text[64] = {};
        GetRoleTextA(static_cast<DWORD>(Role()), text, sizeof(text));
        return text;
    }
    std::string Name() { return Text(&IAccessible::get_accName); }
    std::string Value() { return Text(&IAccessible::get_accValue); }
    std::string DefaultAction() { return Text(&IAccessible::get_accDefaultAction); }
    long State()
    {
        Variant state;
        if (FAILED(object_->get_accState(Self(), state.Get())) || state.Get()->vt != VT_I4)
            return -1;
        return state.Get()->lVal;
    }

    static VARIANT Self()
    {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }

private:
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*))
    {
        BSTR text = nullptr;
        if ((object_->*ask)(Self(), &text) != S_OK || !text)
            return "(none)";
        std::string result = AnsiFromWide(std::wstring_view(text, SysStringLen(text)));
        SysFreeString(text);
        return result;
    }

    IAccessible* object_ = nullptr;
    HRESULT result_ = E_FAIL;
};

class MainWindowReader : public test::MainWindowFixture<FakeServices> {
protected:
    void Sample(std::uint64_t available, std::uint64_t total)
    {
        services.SetMemory(available, total);
        main->VrTimer1Timer(*main);
    }
    HWND Window(const char* name) { return main->Find<TControl>(name).Handle(); }
};

void ListDrawnControls(const TControl& parent, std::string indent)
{
    for (TControl* control : parent.Controls()) {
        if (!control->HandleAllocated())
            continue;
        Reader reader(control->Handle());
        if (reader.Found())
            std::printf("%s%-16s %-14s %-20s %s\n", indent.c_str(), control->Name().c_str(), reader.RoleText().c_str(),
                        ("\"" + reader.Name() + "\"").c_str(), reader.Value().c_str());
        ListDrawnControls(*control, indent + "  ");
    }
}

TEST_F(MainWindowReader, FiguresAreReadWithTheirLabels)
{
    Sample(128 * MB + 5, 512 * MB);
    main->Find<TVrScope>("VrScope1").Tick();
    std::printf("control          role           name                 value\n");
    ListDrawnControls(*main, "");

    Reader available(Window("VrNum1"));
    ASSERT_TRUE(available.Found());
    EXPECT_EQ(available.Role(), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(available.Name(), "Available RAM (Mb)");
    EXPECT_EQ(available.Value(), "128");
    Reader total(Window("VrNum2"));
    EXPECT_EQ(total.Name(), "Total RAM (Mb)");
    EXPECT_EQ(total.Value(), "512");
    Reader scope(Window("VrScope1"));
    EXPECT_EQ(scope.Role(), ROLE_SYSTEM_CHART);
    EXPECT_EQ(scope.Name(), "Free RAM");
    EXPECT_EQ(scope.Value(), "25%");
    Reader led(Window("UserLed"));
    EXPECT_EQ(led.Role(), ROLE_SYSTEM_INDICATOR);
    EXPECT_EQ(led.Value(), "Off");
    // A picture is named by its hint, not by a caption that happens to be near.
    Reader help(Window("Image1"));
    EXPECT_EQ(help.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(help.Name(), "Help/About/Updates");
    Reader banner(Window("HTMLStaticText1"));
    EXPECT_EQ(banner.Role(), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(banner.Name(), "Enjoying Quarrimond? See the Quarrimond home page for updates.");
}

TEST_F(MainWindowReader, ButtonsSayWhatTheyDoAndCanBePressed)
{
    for (const auto& [control, caption] : {std::pair{"FlatButton1", "System info..."},
                                           {"FlatButton3", "Shares..."},
                                           {"FlatButton2", "Optimize it!"},
                                           {"VrShadowButton1", "Quick Free RAM!"},
                                           {"VrShadowButton2", "Full RAM Defrag"}}) {
        Reader button(Window(control));
        EXPECT_EQ(button.Role(), ROLE_SYSTEM_PUSHBUTTON) << control;
        EXPECT_EQ(button.Name(), caption);
        EXPECT_EQ(button.DefaultAction(), "Press") << control;
    }
    main->Show();
    Reader optimize(Window("FlatButton2"));
    EXPECT_EQ(optimize.Object().accDoDefaultAction(Reader::Self()), S_OK);
    EXPECT_TRUE(test::PumpUntil([&] { return IsWindowVisible(app->FindForm<TForm1>()->Handle()) != FALSE; }, 30000));
}

// Events reach a reader's hook on this thread's queue.
HWND g_changed = nullptr;
void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_changed = window;
}

TEST_F(MainWindowReader, ANewFigureIsAnnouncedAndReadAfresh)
{
    Sample(128 * MB, 512 * MB);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, RecordValueChange,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    Reader available(Window("VrNum1"));
    g_changed = nullptr;
    Sample(300 * MB, 512 * MB);
    EXPECT_TRUE(test::PumpUntil([&] { return g_changed == Window("VrNum1"); }, 30000));
    UnhookWinEvent(hook);
    EXPECT_EQ(available.Value(), "300");
}

TEST_F(MainWindowReader, AnObjectOutlivingItsWindowFailsPolitely)
{
    Reader available(Window("VrNum1"));
    ASSERT_TRUE(available.Found()) << std::hex << available.Result();
    app.reset();
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(available.Object().get_accName(Reader::Self(), &name)));
    EXPECT_EQ(name, nullptr);
}

// Every action of the main window within reach of the keyboard: Tab walks
// the buttons in the order they stand, Space and Enter press them.
TEST_F(MainWindowReader, TabReachesEveryActionAndSpaceOrEnterPressesIt)
{
    main->Show();
    // Brought forward as a person does: a click on an empty part of the window.
    test::MakeForeground(main->Handle());
    ASSERT_TRUE(test::XClickAt(main->Find<TControl>("Panel4").Handle(), 200, 12));
    const std::vector<std::string> designed = {"FlatButton1",     "FlatButton3",     "FlatButton2",
                                               "VrShadowButton1", "VrShadowButton2", "Image1"};
    auto focusedName = [&]() -> std::string {
        auto* control = dynamic_cast<TControl*>(WindowObject::FromHandle(GetFocus()));
        return control ? control->Name() : "(none)";
    };
    std::vector<std::string> walked;
    for (size_t i = 0; i < designed.size() + 1; ++i) {
        ASSERT_TRUE(test::XKeys("Tab"));
        walked.push_back(focusedName());
    }
    const auto start = std::find(designed.begin(), designed.end(), walked[0]);
    ASSERT_NE(start, designed.end()) << walked[0];
    for (size_t i = 0; i < walked.size(); ++i)
        EXPECT_EQ(walked[i], designed[(static_cast<size_t>(start - designed.begin()) + i) % designed.size()]);

    while (focusedName() != "FlatButton2")
        ASSERT_TRUE(test::XKeys("Tab"));
    ASSERT_TRUE(test::XKeys("space"));
    EXPECT_TRUE(test::PumpUntil([&] { return IsWindowVisible(app->FindForm<TForm1>()->Handle()) != FALSE; }, 30000));
    app->FindForm<TForm1>()->Hide();

    test::MakeForeground(main->Handle());
    ASSERT_TRUE(test::XClickAt(main->Find<TControl>("Panel4").Handle(), 200, 12));
    main->Find<TControl>("FlatButton1").SetFocus();
    ASSERT_TRUE(test::XKeys("Return"));
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            HWND viewer = FindWindowA(nullptr, "Quarrimond Advanced System Profiler");
            return viewer && IsWindowVisible(viewer);
        },
        60000));
}

} // namespace
} // namespace qm
