#pragma once
// The system as the program's windows see it. The program uses the real one;
// tests put their own in its place to reach cases no test machine has.
#include <cstdint>
#include <functional>
#include <string>

namespace qm {

struct MemoryStatus {
    std::uint32_t memoryLoad = 0;
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availablePageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availableVirtual = 0;
};

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    bool hasOwner = false; // false: a box of its own, not tied to a window
};

// The operating system's version record.
struct OsVersionInfo {
    unsigned platform = 0; // 1: Windows 9x, 2: Windows NT
    unsigned major = 0, minor = 0, build = 0;
    std::string servicePack;
    // The extended record, where the system has one (NT 4 SP6 and later).
    bool extended = false;
    unsigned productType = 0, suiteMask = 0, servicePackMajor = 0, servicePackMinor = 0;
};

enum class TrayAction { Add, Modify, Delete };

enum class ProcessEnd { Ended, NotRunning, NotTheListed };

// What goes to the notification area for one icon.
struct TrayIconData {
    void* window = nullptr; // receives the callback message
    unsigned id = 0;
    unsigned flags = 0; // 1 message, 2 icon, 4 tip
    unsigned callbackMessage = 0;
    void* icon = nullptr;
    std::string tip; // at most 127 characters
};

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // 64-bit figures where the system has them, the 32-bit record where not.
    virtual MemoryStatus ReadMemoryStatus() = 0;
    // Allocates `bytes` from the process heap, writes every byte and frees it;
    // stops writing early once `stopRequested` (when given) says so.
    // Throws std::bad_alloc when the block cannot be had.
    virtual void TouchAndRelease(std::uint64_t bytes, const std::function<bool()>& stopRequested) = 0;
    // Shows the help file's table of contents; failures are not reported.
    virtual void ShowHelpContents(const std::string& helpFile) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The executable's folder, with a trailing backslash.
    virtual std::string ExecutableDirectory() = 0;
    // A message box; the owner window, when any, is the active one.
    virtual MessageResult ShowMessage(const MessageBoxRequest& request) = 0;
    virtual OsVersionInfo OsVersion() = 0;
    // Enables the shutdown privilege in the process token (Windows NT).
    virtual bool EnableShutdownPrivilege() = 0;
    // ExitWindowsEx with `flags`; SetSystemPowerState. True when accepted.
    virtual bool RequestExitWindows(unsigned flags) = 0;
    virtual bool RequestPowerState(bool suspend, bool force) = 0;
    // Opens a link target with the shell's "open" verb.
    virtual void OpenWithShell(const std::string& target) = 0;
    // The shell's notification area; false when the shell refused.
    virtual bool NotifyTrayIcon(TrayAction action, const TrayIconData& data) = 0;
    // Ends process `id` when `isTheListed`, asked while the process is held
    // open (so that its identifier cannot pass to another meanwhile), says
    // it is the process meant. A process that has ended counts as not
    // running, though others may still hold it open.
    virtual ProcessEnd EndProcess(std::uint32_t id, const std::function<bool()>& isTheListed) = 0;
    // The icon the shell shows for a drive's root ("C:\\"): its associated
    // program's, else the drive's own picture; null without one. The caller
    // owns it.
    virtual void* DriveIcon(const std::string& root) = 0;
};

// The real system; one per process.
SystemServices& WindowsServices();

} // namespace qm
