#pragma once
// The running processes with their identifiers and executable paths; the
// installed printers, their ports and the default printer; the installed
// programs; and the programs started at log-on, per start-up location.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sysinfo/collector.h"

namespace qm {

struct TProcessEntry {
    std::string Name; // the executable's full path where the system gives it
    std::uint32_t ID = 0;
    // When it started (FILETIME units), 0 where the system does not say. With
    // the name, what tells it from a later process given the same identifier;
    // not published.
    std::uint64_t Started = 0;
    static const TypeInfo& StaticType();
};

// Whether `now`, the process that holds a listed identifier at this moment,
// is the process listed: the same name (without regard to case) and start.
bool IsSameProcess(const TProcessEntry& listed, const TProcessEntry& now);
// The process holding identifier `id` now, read as the list reads it;
// nothing when none has it.
std::optional<TProcessEntry> ProcessNow(std::uint32_t id);

class TProcesses : public CollectorBase<TProcesses> {
public:
    static constexpr const char* kClassName = "TProcesses";
    static const TypeInfo& StaticType();
    // "[Processes]", "Count=", then "identifier=name" per process.
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    std::int32_t ProcessCount() const { return static_cast<std::int32_t>(entries_.size()); }
    // Empty, and 0, for an index out of range.
    std::string Name(int index) const;
    std::uint32_t Identifier(int index) const;
    // The identifier of the first process of that name (without regard to case), -1 for none.
    std::int64_t IdentifierOf(const std::string& name) const;
    const std::vector<TProcessEntry>& Entries() const { return entries_; }
    void SetEntries(std::vector<TProcessEntry> entries) { entries_ = std::move(entries); }

private:
    std::vector<TProcessEntry> entries_;
};

class TPrinters : public CollectorBase<TPrinters> {
public:
    static constexpr const char* kClassName = "TPrinters";
    static const TypeInfo& StaticType();
    // "[Printers]", "Count=", then "name on port=1/0" (1 for the default).
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    StringList Names;
    std::int32_t DefaultIndex = -1;
    StringList Ports;
};

// The device name of a "device" entry of win.ini: "name,driver,port" → "name".
std::string DeviceNameOfProfileEntry(const std::string& entry);

class TSoftware : public CollectorBase<TSoftware> {
public:
    static constexpr const char* kClassName = "TSoftware";
    static const TypeInfo& StaticType();
    // "[Installed Software]" and the list.
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    StringList Installed;
};

// The six start-up locations, by their kind numbers.
enum class StartupKind { UserRun, MachineRun, RunOnce, UserFolder, CommonFolder, WinIni };
inline constexpr int kStartupKinds = 6;

struct TStartupEntry {
    std::string Name, CommandLine;
    static const TypeInfo& StaticType();
};

class TStartup : public CollectorBase<TStartup> {
public:
    static constexpr const char* kClassName = "TStartup";
    static const TypeInfo& StaticType();
    // The folders, the Run keys and the RunOnce keys; win.ini is not reported.
    void Report(StringList& lines, const ReportLocale& locale = {});
    // Reads the system; throws on failure. GetInfo is the guarded refresh.
    void Refresh(SystemServices& services);

    std::int32_t RunsCount() const;
    int Count(StartupKind kind) const;
    // Empty for an index out of range.
    std::string Name(StartupKind kind, int index) const;
    std::string CommandLine(StartupKind kind, int index) const;
    const std::vector<TStartupEntry>& Entries(StartupKind kind) const;
    void SetEntries(StartupKind kind, std::vector<TStartupEntry> entries);

private:
    std::vector<TStartupEntry> lists_[kStartupKinds];
};

// The entries of win.ini's "run" and "load" lines ("name=value" lines of
// the section "windows"): each value without blanks, left out when empty.
std::vector<TStartupEntry> WinIniStartupEntries(const std::vector<std::string>& sectionLines);
// "Tool" for the shortcut file "Tool.lnk".
std::string ShortcutEntryName(const std::string& fileName);

} // namespace qm
