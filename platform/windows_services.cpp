#include "platform/system_services.h"
#include "platform/touched_block.h"

#include "platform/unique_resource.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace qm {

namespace {

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// GlobalMemoryStatusEx is absent on the oldest systems: look it up once.
GlobalMemoryStatusExFn FindGlobalMemoryStatusEx()
{
    static const auto fn = reinterpret_cast<GlobalMemoryStatusExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx")));
    return fn;
}

UINT IconFlag(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

UINT ButtonFlag(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MB_OKCANCEL;
    case MessageButtons::YesNo:
        return MB_YESNO;
    case MessageButtons::YesNoCancel:
        return MB_YESNOCANCEL;
    case MessageButtons::Ok:
        break;
    }
    return MB_OK;
}

class RealServices final : public SystemServices {
public:
    MemoryStatus ReadMemoryStatus() override
    {
        MemoryStatus status;
        if (auto statusEx = FindGlobalMemoryStatusEx()) {
            MEMORYSTATUSEX record{};
            record.dwLength = sizeof(record);
            if (statusEx(&record)) {
                status.memoryLoad = record.dwMemoryLoad;
                status.totalPhysical = record.ullTotalPhys;
                status.availablePhysical = record.ullAvailPhys;
                status.totalPageFile = record.ullTotalPageFile;
                status.availablePageFile = record.ullAvailPageFile;
                status.totalVirtual = record.ullTotalVirtual;
                status.availableVirtual = record.ullAvailVirtual;
                return status;
            }
        }
        MEMORYSTATUS record{};
        record.dwLength = sizeof(record);
        GlobalMemoryStatus(&record);
        status.memoryLoad = record.dwMemoryLoad;
        status.totalPhysical = record.dwTotalPhys;
        status.availablePhysical = record.dwAvailPhys;
        status.totalPageFile = record.dwTotalPageFile;
        status.availablePageFile = record.dwAvailPageFile;
        status.totalVirtual = record.dwTotalVirtual;
        status.availableVirtual = record.dwAvailVirtual;
        return status;
    }

    void TouchAndRelease(std::uint64_t bytes, const std::function<bool()>& stopRequested) override
    {
        TouchedBlock block(bytes, stopRequested);
    }

    void ShowHelpContents(const std::string& helpFile) override
    {
        HMODULE library = LoadLibraryA("hhctrl.ocx");
        if (!library)
            return;
        if (auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA"))))
            htmlHelp(nullptr, helpFile.c_str(), 1 /* HH_DISPLAY_TOC */, 0);
        // Left loaded: the help viewer's windows live in it.
    }

    bool FileExists(const std::string& path) override
    {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::string ExecutableDirectory() override
    {
        char path[MAX_PATH * 2] = {};
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string full(path, length);
        size_t slash = full.find_last_of("\\/");
        return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    }

    MessageResult ShowMessage(const MessageBoxRequest& request) override
    {
        HWND owner = request.hasOwner ? GetActiveWindow() : nullptr;
        UINT flags = IconFlag(request.icon) | ButtonFlag(request.buttons);
        if (!owner)
            flags |= MB_TASKMODAL;
        return static_cast<MessageResult>(MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), flags));
    }

    OsVersionInfo OsVersion() override
    {
        OSVERSIONINFOA record{};
        record.dwOSVersionInfoSize = sizeof(record);
        OsVersionInfo info;
        if (!GetVersionExA(&record))
            return info;
        info.platform = record.dwPlatformId;
        info.major = record.dwMajorVersion;
        info.minor = record.dwMinorVersion;
        info.build = record.dwBuildNumber;
        info.servicePack = record.szCSDVersion;
        OSVERSIONINFOEXA extended{};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            info.extended = true;
            info.productType = extended.wProductType;
            info.suiteMask = extended.wSuiteMask;
            info.servicePackMajor = extended.wServicePackMajor;
            info.servicePackMinor = extended.wServicePackMinor;
        }
        return info;
    }

    bool EnableShutdownPrivilege() override
    {
        UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
        if (!process)
            return false;
        HANDLE opened = nullptr;
        if (!OpenProcessToken(process.Get(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
            return false;
        UniqueHandle token(opened);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        bool enabled = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        if (enabled) {
            // The previous state is received and not used.
            alignas(TOKEN_PRIVILEGES) BYTE previous[16];
            DWORD length = 0;
            enabled = AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(previous),
                                            reinterpret_cast<PTOKEN_PRIVILEGES>(previous), &length) != FALSE;
        }
        return enabled;
    }

    bool RequestExitWindows(unsigned flags) override { return ExitWindowsEx(flags, 0) != FALSE; }

    bool RequestPowerState(bool suspend, bool force) override
    {
        using Fn = BOOL(WINAPI*)(BOOL, BOOL);
        auto fn = reinterpret_cast<Fn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetSystemPowerState")));
        return fn && fn(suspend, force);
    }

    void OpenWithShell(const std::string& target) override
    {
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    bool NotifyTrayIcon(TrayAction action, const TrayIconData& data) override
    {
        // The record with the balloon fields; only the first fields are filled.
        NOTIFYICONDATAA record{};
        record.cbSize = NOTIFYICONDATAA_V2_SIZE;
        record.hWnd = static_cast<HWND>(data.window);
        record.uID = data.id;
        record.uFlags = data.flags;
        record.uCallbackMessage = data.callbackMessage;
        record.hIcon = static_cast<HICON>(data.icon);
        std::memcpy(record.szTip, data.tip.data(), std::min(data.tip.size(), sizeof(record.szTip) - 1));
        DWORD command = action == TrayAction::Add ? NIM_ADD : action == TrayAction::Modify ? NIM_MODIFY : NIM_DELETE;
        return Shell_NotifyIconA(command, &record) != FALSE;
    }

    ProcessEnd EndProcess(std::uint32_t id, const std::function<bool()>& isTheListed) override
    {
        UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        const bool canWait = static_cast<bool>(process);
        if (!process)
            process.Reset(OpenProcess(PROCESS_TERMINATE, FALSE, id));
        if (!process || (canWait && WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0))
            return ProcessEnd::NotRunning;
        if (!isTheListed())
            return ProcessEnd::NotTheListed;
        return TerminateProcess(process.Get(), 0) ? ProcessEnd::Ended : ProcessEnd::NotRunning;
    }

    void* DriveIcon(const std::string& root) override
    {
        char path[MAX_PATH] = {};
        lstrcpynA(path, root.c_str(), MAX_PATH);
        WORD iconIndex = 0;
        HICON icon = ExtractAssociatedIconA(GetModuleHandleA(nullptr), path, &iconIndex);
        // Where no program is associated with a drive, its shell picture.
        SHFILEINFOA shell{};
        if (!icon && SHGetFileInfoA(path, 0, &shell, sizeof(shell), SHGFI_ICON))
            icon = shell.hIcon;
        return icon;
    }
};

} // namespace

SystemServices& WindowsServices()
{
    static RealServices services;
    return services;
}

} // namespace qm
