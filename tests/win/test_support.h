#pragma once
// Helpers for tests that run the real windows under Wine.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/control.h"
#include "framework/form.h"
#include "platform/device_context.h"
#include "platform/system_services.h"

namespace qm::test {

// The system as a test wants it: memory figures it chooses, message boxes
// recorded instead of shown, allocations observed instead of made.
class FakeServices : public SystemServices {
public:
    FakeServices() { SetMemory(512ull << 20, 1024ull << 20); }

    MemoryStatus memory;
    std::vector<MessageBoxRequest> messages;
    MessageResult answer = MessageResult::Ok;
    std::vector<std::uint64_t> touched;
    bool failAllocation = false;
    std::function<void()> whileTouching;
    std::vector<std::string> helpRequests;

    void SetMemory(std::uint64_t available, std::uint64_t total)
    {
        memory.availablePhysical = available;
        memory.totalPhysical = total;
    }

    MemoryStatus ReadMemoryStatus() override { return memory; }
    void TouchAndRelease(std::uint64_t bytes, const std::function<bool()>&) override
    {
        if (whileTouching)
            whileTouching();
        if (failAllocation)
            throw std::bad_alloc();
        touched.push_back(bytes);
    }
    void ShowHelpContents(const std::string& file) override { helpRequests.push_back(file); }
    bool FileExists(const std::string&) override { return false; }
    std::string ExecutableDirectory() override { return "C:\\test\\"; }
    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        messages.push_back(request);
        return answer;
    }

    bool privilegeGranted = true;
    int privilegeRequests = 0;
    std::vector<unsigned> exitRequests;
    std::vector<std::pair<bool, bool>> powerRequests;
    bool EnableShutdownPrivilege() override
    {
        ++privilegeRequests;
        return privilegeGranted;
    }
    bool RequestExitWindows(unsigned flags) override
    {
        exitRequests.push_back(flags);
        return true;
    }
    bool RequestPowerState(bool suspend, bool force) override
    {
        powerRequests.emplace_back(suspend, force);
        return true;
    }

    std::vector<std::string> opened;
    void OpenWithShell(const std::string& target) override { opened.push_back(target); }

    OsVersionInfo version{2, 5, 1, 2600, "Service Pack 3"};
    OsVersionInfo OsVersion() override { return version; }

    struct TrayCall {
        TrayAction action;
        TrayIconData data;
    };
    std::vector<TrayCall> trayCalls;
    bool NotifyTrayIcon(TrayAction action, const TrayIconData& data) override
    {
        trayCalls.push_back({action, data});
        return true;
    }

    // Processes end and drives show their icons for real.
    ProcessEnd EndProcess(std::uint32_t id, const std::function<bool()>& isTheListed) override
    {
        return WindowsServices().EndProcess(id, isTheListed);
    }
    void* DriveIcon(const std::string& root) override { return WindowsServices().DriveIcon(root); }
};

// Dispatches messages for `ms` milliseconds.
// A wide text as the system itself puts it into the code page: the expected
// side of what our own conversion gives.
inline std::string InCodePage(const std::wstring& text)
{
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

inline void PumpFor(int ms)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the program's loop does: keys of a form go to the dialog manager.
            if (Application::Exists()) {
                Application::Instance().DispatchWithDialogKeys(msg);
            } else {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Dispatches until `done` holds or `ms` pass; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end)
        PumpFor(5);
    return done();
}

// A control's pixels as it paints them, through WM_PRINTCLIENT.
class Snapshot {
public:
    explicit Snapshot(const TControl& control) : width_(ClientSize(control).cx), height_(ClientSize(control).cy)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        MemoryDC dc;
        bitmap_.Reset(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectGuard select(dc.Get(), bitmap_.Get());
        SendMessageA(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        GdiFlush();
        pixels_.assign(static_cast<const std::uint32_t*>(bits),
                       static_cast<const std::uint32_t*>(bits) + width_ * height_);
    }

    // 0x00RRGGBB, as a DIB stores it.
    std::uint32_t At(int x, int y) const { return pixels_.at(static_cast<size_t>(y) * width_ + x) & 0xFFFFFF; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    // In the screen's pixels: the designed size scaled to the window's resolution.
    static SIZE ClientSize(const TControl& control)
    {
        RECT r{};
        GetClientRect(control.Handle(), &r);
        return SIZE{r.right, r.bottom};
    }

    int width_, height_;
    Bitmap bitmap_;
    std::vector<std::uint32_t> pixels_;
};

constexpr std::uint32_t kRgbBlack = 0x000000, kRgbLime = 0x00FF00, kRgbGreen = 0x008000, kRgbYellow = 0xFFFF00;

// A form built from a description in the test itself.
class TextForm : public TForm {
public:
    TextForm(Application& application, std::string text) : TForm(application), text_(std::move(text)) {}
    const char* ClassName() const override { return "TQuarrimondTestForm"; }
    using TForm::Handlers;

protected:
    std::string DescriptionText() const override { return text_; }

private:
    std::string text_;
};

// Sends a left click at client point (x, y) of a control.
inline void ClickAt(const TControl& control, int x, int y)
{
    LPARAM point = MAKELPARAM(x, y);
    SendMessageA(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(control.Handle(), WM_LBUTTONUP, 0, point);
}

} // namespace qm::test
