#include <algorithm>

#include "platform/text_case.h"
#include "sysinfo/msi_processes.h"
#include "sysinfo/os_kind.h"
#include "sysinfo/report_format.h"

namespace qm {

namespace {

void AddEntries(StringList& lines, std::string_view section, const std::vector<TStartupEntry>& entries)
{
    AddSection(lines, section);
    AddInteger(lines, "Count", static_cast<std::int64_t>(entries.size()));
    for (const TStartupEntry& entry : entries)
        AddText(lines, entry.Name, entry.CommandLine);
}

} // namespace

const TypeInfo& TProcessEntry::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TProcessEntry, &TProcessEntry::Name>("Name"),
        IntProperty<TProcessEntry, &TProcessEntry::ID>("ID"),
    };
    static constexpr TypeInfo kType = RecordType("TProcessEntry", kProperties);
    return kType;
}

const TypeInfo& TProcesses::StaticType()
{
    using P = TProcesses;
    static constexpr PropertyInfo kProperties[] = {
        // Read-only: setting it does nothing.
        IntProperty<P, &P::ProcessCount, [](P&, std::int32_t) {}>("ProcessCount"),
        CollectionProperty<P, TProcessEntry, [](P& p) -> std::vector<TProcessEntry>& { return p.entries_; }>(
            "Processes"),
    };
    static constexpr TypeInfo kType = RecordType("TProcesses", kProperties);
    return kType;
}

std::string TProcesses::Name(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < entries_.size() ? entries_[static_cast<size_t>(index)].Name
                                                                      : std::string();
}

std::uint32_t TProcesses::Identifier(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < entries_.size() ? entries_[static_cast<size_t>(index)].ID : 0;
}

bool IsSameProcess(const TProcessEntry& listed, const TProcessEntry& now)
{
    return listed.ID == now.ID && listed.Started == now.Started && EqualIgnoringCase(listed.Name, now.Name);
}

std::int64_t TProcesses::IdentifierOf(const std::string& name) const
{
    for (const TProcessEntry& entry : entries_)
        if (EqualIgnoringCase(entry.Name, name))
            return entry.ID;
    return -1;
}

void TProcesses::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Processes");
    AddInteger(lines, "Count", ProcessCount());
    for (const TProcessEntry& entry : entries_)
        AddText(lines, std::to_string(entry.ID), entry.Name);
}

std::string DeviceNameOfProfileEntry(const std::string& entry)
{
    return entry.substr(0, entry.find(','));
}

const TypeInfo& TPrinters::StaticType()
{
    using P = TPrinters;
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<P, &P::Names>("Names"),
        IntProperty<P, &P::DefaultIndex>("DefaultIndex"),
        LinesProperty<P, &P::Ports>("Ports"),
    };
    static constexpr TypeInfo kType = RecordType("TPrinters", kProperties);
    return kType;
}

void TPrinters::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Printers");
    AddInteger(lines, "Count", static_cast<std::int64_t>(Names.Count()));
    for (size_t i = 0; i < Names.Count(); ++i) {
        const std::string port = i < Ports.Count() ? Ports[i] : std::string();
        AddBool(lines, Names[i] + " on " + port, static_cast<int>(i) == DefaultIndex);
    }
}

const TypeInfo& TSoftware::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        LinesProperty<TSoftware, &TSoftware::Installed>("Installed"),
    };
    static constexpr TypeInfo kType = RecordType("TSoftware", kProperties);
    return kType;
}

void TSoftware::Report(StringList& lines, const ReportLocale&)
{
    AddSection(lines, "Installed Software");
    AddListToReport(Installed.Lines(), "Count", "Item", lines);
}

const TypeInfo& TStartupEntry::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TStartupEntry, &TStartupEntry::Name>("Name"),
        StringProperty<TStartupEntry, &TStartupEntry::CommandLine>("CommandLine"),
    };
    static constexpr TypeInfo kType = RecordType("TStartupEntry", kProperties);
    return kType;
}

const TypeInfo& TStartup::StaticType()
{
    using S = TStartup;
    static constexpr PropertyInfo kProperties[] = {
        // Read-only: setting it does nothing.
        IntProperty<S, &S::RunsCount, [](S&, std::int32_t) {}>("RunsCount"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[0]; }>(
            "UserRun"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[1]; }>(
            "MachineRun"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[2]; }>(
            "RunOnce"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[3]; }>(
            "UserStartup"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[4]; }>(
            "CommonStartup"),
        CollectionProperty<S, TStartupEntry, [](S& s) -> std::vector<TStartupEntry>& { return s.lists_[5]; }>("WinIni"),
    };
    static constexpr TypeInfo kType = RecordType("TStartup", kProperties);
    return kType;
}

std::int32_t TStartup::RunsCount() const
{
    size_t count = 0;
    for (const auto& list : lists_)
        count += list.size();
    return static_cast<std::int32_t>(count);
}

int TStartup::Count(StartupKind kind) const
{
    return static_cast<int>(Entries(kind).size());
}

std::string TStartup::Name(StartupKind kind, int index) const
{
    const auto& list = Entries(kind);
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)].Name
                                                                  : std::string();
}

std::string TStartup::CommandLine(StartupKind kind, int index) const
{
    const auto& list = Entries(kind);
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)].CommandLine
                                                                  : std::string();
}

const std::vector<TStartupEntry>& TStartup::Entries(StartupKind kind) const
{
    return lists_[static_cast<int>(kind)];
}

void TStartup::SetEntries(StartupKind kind, std::vector<TStartupEntry> entries)
{
    lists_[static_cast<int>(kind)] = std::move(entries);
}

void TStartup::Report(StringList& lines, const ReportLocale&)
{
    AddEntries(lines, "User Startup", Entries(StartupKind::UserFolder));
    AddEntries(lines, "Common Startup", Entries(StartupKind::CommonFolder));
    AddEntries(lines, "HKLM Run", Entries(StartupKind::MachineRun));
    AddEntries(lines, "HKCU Run", Entries(StartupKind::UserRun));
    AddEntries(lines, "Run Once", Entries(StartupKind::RunOnce));
}

std::vector<TStartupEntry> WinIniStartupEntries(const std::vector<std::string>& sectionLines)
{
    std::vector<TStartupEntry> entries;
    for (const std::string& line : sectionLines) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = line.substr(0, equals);
        const std::string lower = LowerCase(name);
        if (lower != "run" && lower != "load")
            continue;
        std::string value = RemoveBlanks(line.substr(equals + 1));
        if (!value.empty())
            entries.push_back({name, std::move(value)});
    }
    return entries;
}

std::string ShortcutEntryName(const std::string& fileName)
{
    return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

} // namespace qm
