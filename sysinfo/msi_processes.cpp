#include "sysinfo/msi_processes.h"

#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>
#include <winspool.h>

#include <cstring>
#include <memory>

#include "platform/registry_key.h"
#include "platform/registry_text.h"
#include "platform/text_case.h"
#include "platform/unique_resource.h"
#include "sysinfo/shared_routines.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using Process32Fn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// The process-status library, loaded when first needed: NT 4 ships it only as a redistributable.
struct ProcessStatus {
    ModuleHandle library{LoadLibraryA("psapi.dll")};
    EnumProcessesFn enumProcesses = library
        ? reinterpret_cast<EnumProcessesFn>(reinterpret_cast<void*>(GetProcAddress(library.Get(), "EnumProcesses")))
        : nullptr;
    GetModuleFileNameExFn moduleFileName = library ? reinterpret_cast<GetModuleFileNameExFn>(reinterpret_cast<void*>(
                                                         GetProcAddress(library.Get(), "GetModuleFileNameExA")))
                                                   : nullptr;
};

// The main module's full path of a process; empty when it cannot be had.
std::string ProcessPath(const ProcessStatus& status, DWORD id)
{
    if (!status.moduleFileName)
        return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process)
        return {};
    char path[MAX_PATH] = {};
    const DWORD length = status.moduleFileName(process.Get(), nullptr, path, MAX_PATH);
    return std::string(path, length);
}

// When a process started; 0 where the system does not say (Windows 9x, or no
// rights to ask).
std::uint64_t ProcessStarted(DWORD id)
{
    constexpr DWORD kQueryLimited = 0x1000; // Vista and later; older systems refuse it
    UniqueHandle process(OpenProcess(kQueryLimited, FALSE, id));
    if (!process)
        process.Reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !GetProcessTimes(process.Get(), &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::vector<TProcessEntry> ByProcessStatus()
{
    ProcessStatus status;
    std::vector<TProcessEntry> entries;
    if (!status.enumProcesses)
        return entries;
    DWORD ids[1025] = {};
    DWORD bytes = 0;
    if (!status.enumProcesses(ids, sizeof(ids), &bytes))
        return entries;
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        const DWORD id = ids[i];
        if (id == 0)
            entries.push_back({"System Idle Process", id});
        else if (id == 2)
            entries.push_back({"System Process", id});
        else if (std::string path = ProcessPath(status, id); !path.empty())
            entries.push_back({std::move(path), id, ProcessStarted(id)});
    }
    return entries;
}

std::vector<TProcessEntry> ByToolHelp(bool fullPaths)
{
    // Resolved at run time: NT 4's kernel has no tool-help functions.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto snapshot =
        reinterpret_cast<CreateSnapshotFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
    auto first = reinterpret_cast<Process32Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32First")));
    auto next = reinterpret_cast<Process32Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32Next")));
    std::vector<TProcessEntry> entries;
    if (!snapshot || !first || !next)
        return entries;
    UniqueHandle list(snapshot(TH32CS_SNAPPROCESS, 0));
    if (!list)
        return entries;
    std::unique_ptr<ProcessStatus> status;
    if (fullPaths)
        status = std::make_unique<ProcessStatus>();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = first(list.Get(), &entry); more; more = next(list.Get(), &entry)) {
        std::string name = entry.szExeFile;
        if (entry.th32ProcessID == 0)
            name = "System Idle Process";
        else if (status)
            if (std::string path = ProcessPath(*status, entry.th32ProcessID); !path.empty())
                name = std::move(path);
        entries.push_back({std::move(name), entry.th32ProcessID, ProcessStarted(entry.th32ProcessID)});
    }
    return entries;
}

// The machine's keys in each of its registry views (32-bit programs register
// in their own on 64-bit Windows); the user's keys are the same in both.
std::vector<REGSAM> ViewsOf(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? SoftwareRegistryViews() : std::vector<REGSAM>{0};
}

std::vector<TStartupEntry> RunKeyEntries(HKEY root, const char* path)
{
    std::vector<TStartupEntry> entries;
    for (const REGSAM view : ViewsOf(root)) {
        RegistryKey key;
        if (!key.Open(root, path, KEY_READ | view))
            continue;
        for (const RegistryValue& value : key.Values()) {
            // A value that is no text (a number, binary data) is not a command:
            // it is passed over and the other entries still count.
            if (auto command = RegistryDataToText(value.type, value.data.data(), value.data.size()))
                entries.push_back({value.name.text, *command});
        }
    }
    return entries;
}

std::vector<TStartupEntry> FolderEntries(int folderId)
{
    std::vector<TStartupEntry> entries;
    std::string folder = GetSpecialFolder(GetDesktopWindow(), folderId);
    if (folder.empty())
        return entries;
    if (folder.back() == '\\')
        folder.pop_back();
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder + "\\*.lnk").c_str(), &found));
    if (!search)
        return entries;
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    do {
        if (found.dwFileAttributes & kSkipped)
            continue;
        std::string target, arguments;
        ResolveShortcut(folder + "\\" + found.cFileName, target, arguments);
        entries.push_back({ShortcutEntryName(found.cFileName), target + " " + arguments});
    } while (FindNextFileA(search.Get(), &found));
    return entries;
}

std::vector<std::string> WinIniWindowsSection()
{
    std::vector<char> buffer(32768, '\0');
    const DWORD length = GetProfileSectionA("windows", buffer.data(), static_cast<DWORD>(buffer.size()));
    std::vector<std::string> lines;
    for (const char* line = buffer.data(); line < buffer.data() + length && *line; line += std::strlen(line) + 1)
        lines.emplace_back(line);
    return lines;
}

std::vector<TProcessEntry> RunningProcesses()
{
    const TOSKind kind = TheStartupValues().OSKind;
    return kind == TOSKind::osNT4 ? ByProcessStatus() : ByToolHelp(kind == TOSKind::os2K);
}

} // namespace

std::optional<TProcessEntry> ProcessNow(std::uint32_t id)
{
    for (TProcessEntry& entry : RunningProcesses())
        if (entry.ID == id)
            return std::move(entry);
    return std::nullopt;
}

void TProcesses::Refresh(SystemServices&)
{
    entries_.clear();
    entries_ = RunningProcesses();
}

void TPrinters::Refresh(SystemServices&)
{
    Names.Clear();
    Ports.Clear();
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed > 0) {
        std::vector<BYTE> buffer(needed);
        if (EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
            const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
            for (DWORD i = 0; i < count; ++i) {
                Names.Add(printers[i].pPrinterName ? printers[i].pPrinterName : "");
                Ports.Add(printers[i].pPortName ? printers[i].pPortName : "");
            }
        }
    }
    // No printer, or none chosen as the default, is no failure: no default then.
    char device[1024] = {};
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    DefaultIndex = IndexIgnoringCase(Names.Lines(), DeviceNameOfProfileEntry(device));
}

void TSoftware::Refresh(SystemServices&)
{
    Installed.Clear();
    constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    for (const REGSAM view : ViewsOf(HKEY_LOCAL_MACHINE)) {
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, kUninstall, KEY_READ | view))
            continue;
        // Subkeys by their exact names: a name the code page cannot show still opens.
        for (const RegistryName& name : key.Subkeys()) {
            RegistryKey program;
            if (!program.Open(key, name, KEY_READ | view))
                continue;
            if (auto displayName = program.ReadString("DisplayName"))
                Installed.Add(*displayName);
        }
    }
}

void TStartup::Refresh(SystemServices&)
{
    for (auto& list : lists_)
        list.clear();
    constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    SetEntries(StartupKind::UserRun, RunKeyEntries(HKEY_CURRENT_USER, kRun));
    SetEntries(StartupKind::MachineRun, RunKeyEntries(HKEY_LOCAL_MACHINE, kRun));
    std::vector<TStartupEntry> once = RunKeyEntries(HKEY_CURRENT_USER, kRunOnce);
    for (TStartupEntry& entry : RunKeyEntries(HKEY_LOCAL_MACHINE, kRunOnce))
        once.push_back(std::move(entry));
    SetEntries(StartupKind::RunOnce, std::move(once));
    SetEntries(StartupKind::CommonFolder, FolderEntries(CSIDL_COMMON_STARTUP));
    SetEntries(StartupKind::UserFolder, FolderEntries(CSIDL_STARTUP));
    SetEntries(StartupKind::WinIni, WinIniStartupEntries(WinIniWindowsSection()));
}

} // namespace qm
