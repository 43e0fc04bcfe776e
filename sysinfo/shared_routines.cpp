#include "sysinfo/shared_routines.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "platform/registry_key.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "platform/unique_resource.h"
#include "sysinfo/operating_system_rules.h"
#include "sysinfo/startup_values.h"

namespace qm {

namespace {

std::string CutAtNul(const char* buffer, size_t size)
{
    size_t length = 0;
    while (length < size && buffer[length])
        ++length;
    return std::string(buffer, length);
}

} // namespace

OSVERSIONINFOA BasicVersionRecord()
{
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = sizeof(record);
    if (!GetVersionExA(&record))
        record = OSVERSIONINFOA{};
    return record;
}

TOSKind OSKindOf(const OSVERSIONINFOA& record)
{
    return OSKindFromVersion(record.dwPlatformId, record.dwMajorVersion, record.dwMinorVersion,
                             CutAtNul(record.szCSDVersion, sizeof(record.szCSDVersion)));
}

TOSKind GetOSKind()
{
    return OSKindOf(BasicVersionRecord());
}

std::string GetComputerNameText()
{
    char buffer[256] = {};
    DWORD size = 255;
    std::string name = GetComputerNameA(buffer, &size) ? CutAtNul(buffer, sizeof(buffer)) : std::string();
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName"))
        if (auto stored = key.ReadString("ComputerName"))
            name = *stored;
    return name;
}

std::string GetUserNameText()
{
    char buffer[256] = {};
    DWORD size = 255;
    return GetUserNameA(buffer, &size) ? CutAtNul(buffer, sizeof(buffer)) : std::string();
}

std::string GetProfilePath()
{
    return ProfilePathFrom(GetSpecialFolder(GetDesktopWindow(), CSIDL_DESKTOP));
}

std::string GetSpecialFolder(HWND owner, int folderId)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items)) || !items)
        return {};
    ItemIdList list(items);
    char path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListA(list.Get(), path);
    // Some shells answer a virtual folder with its "::{class id}" name: not a path.
    if (!found || (path[0] == ':' && path[1] == ':'))
        return {};
    return CutAtNul(path, sizeof(path));
}

std::string WindowsDirectoryText()
{
    char path[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(path, sizeof(path));
    return length && length < sizeof(path) ? std::string(path, length) : std::string();
}

std::string SystemDirectoryText()
{
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, sizeof(path));
    return length && length < sizeof(path) ? std::string(path, length) : std::string();
}

std::string TempPathText()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetTempPathA(sizeof(path), path);
    return length && length < sizeof(path) ? std::string(path, length) : std::string();
}

void GetClassDevices(const std::string& classKey, const std::string& className, const std::string& valueName,
                     std::string& classSubkey, std::vector<std::string>& list)
{
    classSubkey.clear();
    list.clear();
    std::vector<std::string> classes;
    {
        RegistryKey root;
        if (!root.Open(HKEY_LOCAL_MACHINE, classKey))
            return;
        classes = root.SubkeyNames();
    }
    for (const std::string& name : classes) {
        RegistryKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, classKey + "\\" + name))
            continue;
        const auto found = key.ReadString("Class");
        if (!found || !EqualIgnoringCase(*found, className))
            continue;
        std::string matching = name;
        if (!TheStartupValues().IsNT) {
            // Windows 9x keeps the devices under the key the class links to.
            matching = UpperCase(key.ReadString("Link").value_or(""));
            key.Close();
            if (!key.Open(HKEY_LOCAL_MACHINE, classKey + "\\" + matching))
                return;
        }
        classSubkey = matching;
        for (const std::string& instance : key.SubkeyNames()) {
            RegistryKey device;
            if (!device.Open(HKEY_LOCAL_MACHINE, classKey + "\\" + matching + "\\" + instance))
                continue;
            if (auto text = device.ReadString(valueName))
                if (std::find(list.begin(), list.end(), *text) == list.end())
                    list.push_back(*text);
        }
        return;
    }
}

void GetEnvironmentList(std::vector<std::string>& list)
{
    list.clear();
    struct FreeBlock {
        void operator()(char* block) const { FreeEnvironmentStringsA(block); }
    };
    const std::unique_ptr<char, FreeBlock> block(GetEnvironmentStringsA());
    if (!block)
        return;
    // The block ends with an empty string; nothing past it is read.
    const char* text = block.get();
    size_t length = 0;
    while (length < kEnvironmentWalkLimit) {
        const bool endOfBlock = text[length] == '\0' && (length == 0 || text[length - 1] == '\0');
        ++length;
        if (endOfBlock)
            break;
    }
    list = EnvironmentStringsFrom(std::string_view(text, length));
}

HRESULT ResolveShortcut(const std::string& linkFile, std::string& target, std::string& arguments)
{
    target.clear();
    arguments.clear();
    ComApartment apartment;
    HRESULT result = apartment.Result();
    if (FAILED(result))
        return result;
    {
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid());
        if (SUCCEEDED(result))
            result = link->QueryInterface(IID_IPersistFile, file.OutVoid());
        if (SUCCEEDED(result))
            result = file->Load(WideFromAnsi(linkFile).c_str(), STGM_READ);
        if (SUCCEEDED(result))
            result = link->Resolve(nullptr, SLR_NO_UI);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(result))
            result = link->GetPath(path, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
        char parameters[256] = {};
        if (SUCCEEDED(result))
            result = link->GetArguments(parameters, 255);
        target = CutAtNul(path, sizeof(path));
        arguments = CutAtNul(parameters, sizeof(parameters));
    }
    return result;
}

std::string GetFileVerInfo(const std::string& fileName, std::string& description)
{
    description.clear();
    if (fileName.empty())
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data()))
        return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    std::string version;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed &&
        fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        for (WORD part : {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                          HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)}) {
            if (!version.empty())
                version += '.';
            version += std::to_string(part);
        }
    }
    char* text = nullptr;
    UINT textSize = 0;
    if (VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\FileDescription", reinterpret_cast<void**>(&text),
                       &textSize) &&
        text)
        description = CutAtNul(text, textSize);
    return version;
}

bool ShowFileProperties(HWND window, const std::string& fileName)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST; // 12
    info.hwnd = window;
    info.lpVerb = "properties";
    info.lpFile = fileName.c_str();
    info.nShow = SW_SHOW;
    return ShellExecuteExA(&info);
}

} // namespace qm
