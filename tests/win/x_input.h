#pragma once
// Real input as a person gives it: mouse and keyboard events through the X
// server (xdotool), which Wine receives like any other. The test's own
// messages keep flowing while xdotool runs.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/unique_resource.h"
#include "test_support.h"

namespace qm::test {

// Runs a command line of the Unix side; true when it ran and exited with 0.
// Wine cannot wait on a Unix process, so a shell runs it and leaves its exit
// status in a file, which the test waits for while its messages flow (or,
// with `pump` off, without taking in any message: input it gave then waits
// in the X server's queue for the program's next look).
inline bool RunUnixCommand(const std::string& commandLine, bool pump = true)
{
    static int runs = 0;
    const std::string status =
        "/tmp/qm-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::string windowsStatus = "Z:" + status;
    for (char& c : windowsStatus)
        if (c == '/')
            c = '\\';
    std::string command = "/bin/sh -c \"" + commandLine + "; echo $? > " + status + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    // Wine starts a Unix program without a Windows process: what it leaves in
    // the process information are no handles of ours, and closing such a
    // value closed whichever handle had it (standard output, for one).
    auto finished = [&] {
        UniqueHandle file(CreateFileA(windowsStatus.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        char text[8] = {};
        DWORD read = 0;
        return file && ReadFile(file.Get(), text, sizeof(text) - 1, &read, nullptr) && read > 0 &&
            text[read - 1] == '\n';
    };
    bool done = false;
    if (pump) {
        done = PumpUntil(finished, 30000);
    } else {
        for (int waited = 0; !(done = finished()) && waited < 30000; waited += 10)
            Sleep(10);
    }
    char code = '1';
    {
        UniqueHandle file(
            CreateFileA(windowsStatus.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD read = 0;
        if (file)
            ReadFile(file.Get(), &code, 1, &read, nullptr);
    }
    DeleteFileA(windowsStatus.c_str());
    // The events are in the X server's queue now; let Wine take them in.
    if (pump)
        PumpFor(150);
    return done && code == '0';
}

// Runs xdotool with `arguments`: real mouse and keyboard input.
inline bool XDoTool(const std::string& arguments, bool pump = true)
{
    return RunUnixCommand("/usr/bin/xdotool " + arguments, pump);
}

// The screen point of client point (x, y) of `window`.
inline POINT ScreenPoint(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

inline bool XClickAt(HWND window, int x, int y, int clicks = 1)
{
    const POINT p = ScreenPoint(window, x, y);
    return XDoTool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click --repeat " +
                   std::to_string(clicks) + " --delay 40 1");
}

// Clicks the middle of a window, a button say.
inline bool XClick(HWND window, int clicks = 1)
{
    RECT r;
    GetClientRect(window, &r);
    return XClickAt(window, r.right / 2, r.bottom / 2, clicks);
}

// Keys by their X names: "Tab", "shift+Tab", "Escape", "Right", "space".
inline bool XKeys(const std::string& keys)
{
    return XDoTool("key --delay 40 " + keys);
}

// The text a message box shows.
inline std::string BoxText(HWND box)
{
    char text[1024] = {};
    if (HWND label = GetDlgItem(box, 0xFFFF))
        GetWindowTextA(label, text, sizeof(text));
    if (!text[0])
        if (HWND label = FindWindowExA(box, nullptr, "Static", nullptr))
            GetWindowTextA(label, text, sizeof(text));
    return text;
}

// Acts on the program's dialog boxes from a thread of its own (a box holds
// the window's thread in its own loop): each time a box titled `caption`
// appears, `act` gets it and its text, and answers it with real input.
class DialogAnswerer {
public:
    using Action = std::function<bool(HWND box, const std::string& text)>;
    DialogAnswerer(std::string caption, Action act, int boxes = 1)
        : thread_([this, caption = std::move(caption), act = std::move(act), boxes] {
              HWND last = nullptr;
              for (int waited = 0; waited < 60000 && !stop_ && answered_ < boxes; waited += 50) {
                  HWND box = FindWindowA("#32770", caption.c_str());
                  if (!box || box == last || !IsWindowVisible(box)) {
                      Sleep(50);
                      continue;
                  }
                  Sleep(150); // let it finish drawing and take the focus
                  const std::string text = BoxText(box);
                  {
                      std::lock_guard<std::mutex> lock(mutex_);
                      texts_.push_back(text);
                  }
                  if (!act(box, text))
                      return;
                  last = box;
                  ++answered_;
              }
          })
    {}
    ~DialogAnswerer() { Stop(); }
    void Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    int Answered() const { return answered_; }
    std::vector<std::string> Texts() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// An action that clicks the box's button captioned `button` ("&Yes", "OK").
inline DialogAnswerer::Action ClickButton(std::string button)
{
    return [button](HWND box, const std::string&) {
        HWND target = FindWindowExA(box, nullptr, "Button", button.c_str());
        if (!target)
            return false;
        RECT r;
        GetWindowRect(target, &r);
        return XDoTool("mousemove " + std::to_string((r.left + r.right) / 2) + " " +
                           std::to_string((r.top + r.bottom) / 2) + " click 1",
                       false);
    };
}

// Brings a top-level window forward so that the keys go to it.
inline void MakeForeground(HWND window)
{
    SetForegroundWindow(window);
    SetActiveWindow(window);
    PumpFor(100);
}

} // namespace qm::test
