#include "components/auto_run.h"

#include <windows.h>

#include <stdexcept>

#include "framework/application.h"
#include "platform/registry_key.h"

namespace qm {

namespace {

struct KindLocation {
    HKEY root;
    std::string_view suffix;
};

const KindLocation& Location(AutoExecKind kind)
{
    static const KindLocation kLocations[] = {
        {HKEY_LOCAL_MACHINE, "Run"},    {HKEY_LOCAL_MACHINE, "RunOnce"},     {HKEY_CURRENT_USER, "Run"},
        {HKEY_CURRENT_USER, "RunOnce"}, {HKEY_LOCAL_MACHINE, "RunServices"}, {HKEY_LOCAL_MACHINE, "RunServicesOnce"},
    };
    return kLocations[static_cast<int>(kind)];
}

std::string KeyPath(AutoExecKind kind)
{
    return "Software\\Microsoft\\Windows\\CurrentVersion\\" + std::string(Location(kind).suffix);
}

std::string RunningExecutable()
{
    char path[MAX_PATH * 2] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, length);
}

} // namespace

TabfAutoRun::TabfAutoRun() : fileName_(RunningExecutable())
{}

std::string TabfAutoRun::ValueName(const std::string& fileName)
{
    size_t separator = fileName.find_last_of("\\:/");
    return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

const TypeInfo& TabfAutoRun::StaticType()
{
    using A = TabfAutoRun;
    static constexpr std::string_view kKindNames[] = {"aekMachineRun",  "aekMachineRunOnce", "aekUserRun",
                                                      "aekUserRunOnce", "aekServiceRun",     "aekServiceRunOnce"};
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<A, &A::AutoRun, &A::SetAutoRun>("AutoRun"),
        StringProperty<A, &A::FileName, &A::SetFileName>("FileName"),
        EnumProperty<A, &A::Kind, &A::SetKind>("Kind", kKindNames),
        // A description of the component, for designers only.
        StringProperty<A, nullptr, [](A&, const std::string&) {}>("About"),
    };
    static constexpr TypeInfo kType = ComponentType<A>("TabfAutoRun", &Component::StaticType, kProperties);
    return kType;
}

void TabfAutoRun::Loaded()
{
    ApplyAutoRun();
}

void TabfAutoRun::SetAutoRun(bool on)
{
    if (on == autoRun_)
        return;
    RemoveAutoRun();
    autoRun_ = on;
    ApplyAutoRun();
}

void TabfAutoRun::SetFileName(const std::string& fileName)
{
    if (fileName == fileName_)
        return;
    RemoveAutoRun();
    fileName_ = fileName;
    ApplyAutoRun();
}

void TabfAutoRun::SetKind(AutoExecKind kind)
{
    if (kind == kind_)
        return;
    RemoveAutoRun();
    kind_ = kind;
    ApplyAutoRun();
}

bool TabfAutoRun::SkippedOnThisSystem() const
{
    // Windows NT has no service start-up lists.
    if (kind_ != AutoExecKind::aekServiceRun && kind_ != AutoExecKind::aekServiceRunOnce)
        return false;
    return Application::Instance().Services().OsVersion().platform == 2;
}

bool TabfAutoRun::RemoveAutoRun()
{
    if (SkippedOnThisSystem())
        return false;
    RegistryKey key;
    if (!key.Open(Location(kind_).root, KeyPath(kind_), KEY_ALL_ACCESS))
        return false;
    const std::string name = ValueName(fileName_);
    return !key.ValueExists(name) || key.DeleteValue(name);
}

bool TabfAutoRun::WriteEntry()
{
    if (SkippedOnThisSystem())
        return false;
    try {
        RegistryKey key;
        if (!key.Create(Location(kind_).root, KeyPath(kind_), KEY_ALL_ACCESS))
            throw std::runtime_error("Unable to open the " + KeyPath(kind_) + " key");
        return key.WriteString(ValueName(fileName_), fileName_);
    } catch (const std::exception&) {
        return false; // no rights, for one: silently not registered
    }
}

bool TabfAutoRun::ApplyAutoRun()
{
    RemoveAutoRun();
    return autoRun_ ? WriteEntry() : true;
}

} // namespace qm
