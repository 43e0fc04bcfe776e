// The one window binding: an object is bound from the window's first message
// to its last, a child's notification reaches the child's object first, and
// no exception crosses the window procedure into the system's code.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/window_object.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr UINT kThrow = WM_APP + 40;

class Probe : public WindowObject {
public:
    ~Probe() override = default;
    HWND Create(HWND parent = nullptr, int id = 0)
    {
        const DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
        return CreateBoundWindow(OwnWindowClass("QuarrimondBindingProbe"), 0, "probe", style, 0, 0, 50, 50, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }
    void Destroy() { DestroyBoundWindow(); }

    std::vector<UINT> messages, reflected;
    bool handleReflected = false;
    bool throwWhenReflected = false;
    bool throwWhenDestroyed = false;
    int destroyed = 0;
    HWND handleWhenDestroyed = reinterpret_cast<HWND>(1);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        if (message == kThrow)
            throw std::runtime_error("thrown in a window procedure");
        return WindowObject::HandleMessage(message, wParam, lParam);
    }
    bool HandleReflected(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        reflected.push_back(message);
        if (throwWhenReflected)
            throw std::runtime_error("thrown in a reflected notification");
        result = 42;
        return handleReflected;
    }
    void HandleDestroyed() override
    {
        ++destroyed;
        handleWhenDestroyed = Handle();
        if (throwWhenDestroyed)
            throw std::runtime_error("thrown when destroyed");
    }
};

bool Saw(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(WindowBinding, BoundFromTheFirstMessageToTheLast)
{
    auto probe = std::make_unique<Probe>();
    const HWND window = probe->Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(probe->Handle(), window);
    EXPECT_EQ(WindowObject::FromHandle(window), probe.get());
    ASSERT_FALSE(probe->messages.empty());
    EXPECT_EQ(probe->messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(Saw(probe->messages, WM_CREATE));
    // Windows that are not ours have no object.
    EXPECT_EQ(WindowObject::FromHandle(GetDesktopWindow()), nullptr);
    EXPECT_EQ(WindowObject::FromHandle(nullptr), nullptr);

    probe->Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(probe->Handle(), nullptr);
    EXPECT_EQ(probe->destroyed, 1);
    EXPECT_EQ(probe->handleWhenDestroyed, nullptr);
    EXPECT_TRUE(Saw(probe->messages, WM_DESTROY));

    // An object that goes takes its window with it.
    const HWND second = probe->Create();
    ASSERT_TRUE(IsWindow(second));
    probe.reset();
    EXPECT_FALSE(IsWindow(second));
}

TEST(WindowBinding, AChildsNotificationReachesTheChildFirst)
{
    Probe parent, child;
    ASSERT_NE(parent.Create(), nullptr);
    ASSERT_NE(child.Create(parent.Handle(), 101), nullptr);
    const LPARAM from = reinterpret_cast<LPARAM>(child.Handle());

    // Handled by the child: its answer, and the parent never sees it.
    child.handleReflected = true;
    EXPECT_EQ(SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), from), 42);
    EXPECT_EQ(child.reflected, std::vector<UINT>{WM_COMMAND});
    EXPECT_FALSE(Saw(parent.messages, WM_COMMAND));
    NMHDR header{child.Handle(), 101, NM_CLICK};
    EXPECT_EQ(SendMessageA(parent.Handle(), WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(child.reflected, (std::vector<UINT>{WM_COMMAND, WM_NOTIFY}));
    EXPECT_FALSE(Saw(parent.messages, WM_NOTIFY));

    // Not handled by the child: the parent has it.
    child.handleReflected = false;
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), from);
    EXPECT_TRUE(Saw(parent.messages, WM_COMMAND));

    // From a window with no object (the system's own button): the parent alone.
    HWND system = CreateWindowA("BUTTON", "plain", WS_CHILD, 0, 0, 10, 10, parent.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(system, nullptr);
    child.reflected.clear();
    parent.messages.clear();
    SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), reinterpret_cast<LPARAM>(system));
    EXPECT_TRUE(child.reflected.empty());
    EXPECT_TRUE(Saw(parent.messages, WM_COMMAND));
    DestroyWindow(system);
}

TEST(WindowBinding, NoExceptionLeavesTheWindowProcedure)
{
    test::FakeServices services;
    Application app(services);
    std::vector<std::string> caught;
    app.SetOnException([&](const std::exception& error) { caught.emplace_back(error.what()); });
    Probe parent, child;
    ASSERT_NE(parent.Create(), nullptr);
    ASSERT_NE(child.Create(parent.Handle(), 101), nullptr);

    EXPECT_EQ(SendMessageA(parent.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(caught, std::vector<std::string>{"thrown in a window procedure"});
    // The window goes on serving its messages.
    EXPECT_TRUE(SetWindowTextA(parent.Handle(), "still there"));
    char text[32] = {};
    GetWindowTextA(parent.Handle(), text, sizeof(text));
    EXPECT_STREQ(text, "still there");

    child.throwWhenReflected = true;
    EXPECT_EQ(SendMessageA(parent.Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                           reinterpret_cast<LPARAM>(child.Handle())),
              0);
    EXPECT_EQ(caught, (std::vector<std::string>{"thrown in a window procedure", "thrown in a reflected notification"}));

    child.throwWhenDestroyed = true;
    child.Destroy();
    EXPECT_EQ(child.Handle(), nullptr);
    EXPECT_EQ(caught,
              (std::vector<std::string>{"thrown in a window procedure", "thrown in a reflected notification",
                                        "thrown when destroyed"}));
}

} // namespace
} // namespace qm
