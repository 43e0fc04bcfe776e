#include "components/auto_run.h"

#include <windows.h>

#include <stdexcept>

#include "framework/application.h"
#include "framework/registry.h"

namespace qm {

namespace {

struct KindLocation {
    std::string_view name;
    HKEY root;
    std::string_view suffix;
};

const KindLocation& Location(AutoExecKind kind)
{
    static const KindLocation kLocations[] = {
        {"aekMachineRun", HKEY_LOCAL_MACHINE, "Run"},
        {"aekMachineRunOnce", HKEY_LOCAL_MACHINE, "RunOnce"},
        {"aekUserRun", HKEY_CURRENT_USER, "Run"},
        {"aekUserRunOnce", HKEY_CURRENT_USER, "RunOnce"},
        {"aekServiceRun", HKEY_LOCAL_MACHINE, "RunServices"},
        {"aekServiceRunOnce", HKEY_LOCAL_MACHINE, "RunServicesOnce"},
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

bool TabfAutoRun::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "AutoRun") {
        SetAutoRun(value.AsBool());
    } else if (name == "FileName") {
        SetFileName(value.AsString());
    } else if (name == "Kind") {
        const std::string& kind = value.AsIdentifier();
        for (int i = 0; i <= static_cast<int>(AutoExecKind::aekServiceRunOnce); ++i)
            if (Location(static_cast<AutoExecKind>(i)).name == kind) {
                SetKind(static_cast<AutoExecKind>(i));
                return true;
            }
        throw EFormDescription("unknown start-up list " + kind);
    } else if (name == "About") {
        (void)value.AsString();
    } else {
        return Component::ApplyProperty(name, value);
    }
    return true;
}

bool TabfAutoRun::PropertyText(std::string_view name, std::string& text) const
{
    if (name != "AutoRun")
        return false;
    text = autoRun_ ? "True" : "False";
    return true;
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

void TabfAutoRun::SetFileName(std::string fileName)
{
    if (fileName == fileName_)
        return;
    RemoveAutoRun();
    fileName_ = std::move(fileName);
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
