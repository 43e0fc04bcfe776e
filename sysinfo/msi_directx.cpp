#include "sysinfo/msi_directx.h"

#include <windows.h>

#include <oleauto.h>

#include <optional>
#include <stdexcept>

#include "platform/registry_key.h"
#include "platform/text_encoding.h"
#include "platform/unique_resource.h"
#include "sysinfo/shared_routines.h"

namespace qm {

namespace {

void FillDescriptions(const std::string& path, StringList& list)
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path))
        return;
    const std::vector<std::string> names = key.SubkeyNames();
    key.Close();
    for (const std::string& name : names) {
        RegistryKey entry;
        if (!entry.Open(HKEY_LOCAL_MACHINE, path + "\\" + name))
            continue;
        if (auto description = entry.ReadString("Description"))
            list.Add(*description);
    }
}

// A running automation object registered under `programId`, else a new one;
// empty when there is neither (not an error).
ComPtr<IDispatch> AutomationObject(const std::string& programId)
{
    ComPtr<IDispatch> object;
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(WideFromAnsi(programId).c_str(), &classId)))
        return object;
    ComPtr<IUnknown> running;
    if (SUCCEEDED(GetActiveObject(classId, nullptr, running.Out())) && running)
        if (SUCCEEDED(running->QueryInterface(IID_IDispatch, object.OutVoid())))
            return object;
    CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch, object.OutVoid());
    return object;
}

// The object's "Version" property as text; nothing when the system has the
// object but not its type library, so that nothing can be asked of it by
// name (as if the engine were not installed). Throws when the property
// cannot be read otherwise.
std::optional<std::string> VersionOf(IDispatch& object)
{
    wchar_t name[] = L"Version";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    const HRESULT found = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (found == TYPE_E_LIBNOTREGISTERED)
        return std::nullopt;
    if (FAILED(found))
        throw std::runtime_error("The automation object has no Version property");
    DISPPARAMS none{};
    Variant result;
    if (FAILED(object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Get(), nullptr,
                             nullptr)))
        throw std::runtime_error("The Version property cannot be read");
    if (FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_BSTR)) || !result.Get()->bstrVal)
        return std::string();
    return AnsiFromWide(std::wstring_view(result.Get()->bstrVal));
}

} // namespace

void TDirectX::Refresh(SystemServices&)
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX")) {
        if (auto version = key.ReadString("Version"))
            Version = *version;
        DWORD type = 0;
        std::vector<std::uint8_t> data;
        // The binary form, 4 or 8 bytes long: its first byte is the major version.
        if (Version.empty() && key.ReadRaw("InstalledVersion", type, data) && !data.empty() && data.size() <= 8)
            Version = InstalledVersionText(data[0]);
        key.Close();
    }
    Direct3D.Clear();
    DirectPlay.Clear();
    DirectMusic.Clear();
    FillDescriptions("SOFTWARE\\Microsoft\\Direct3D\\Drivers", Direct3D);
    FillDescriptions("SOFTWARE\\Microsoft\\DirectPlay\\Services", DirectPlay);
    FillDescriptions("SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths", DirectMusic);
}

void TEngines::Refresh(SystemServices&)
{
    RegistryKey bde;
    if (bde.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Borland\\Database Engine"))
        if (auto path = bde.ReadString("DLLPATH")) {
            std::string description;
            if (std::string version = GetFileVerInfo(*path + "\\IDAPI32.DLL", description); !version.empty())
                BDE = version;
        }
    RegistryKey odbc;
    if (odbc.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList"))
        if (auto file = odbc.ReadString("ODBC32.DLL")) {
            std::string description;
            if (std::string version = GetFileVerInfo(*file, description); !version.empty())
                ODBC = version;
        }
    ComApartment apartment;
    for (const char* programId : {"DAO.DBEngine.36", "DAO.DBEngine.35", "DAO.DBEngine"})
        if (ComPtr<IDispatch> engine = AutomationObject(programId)) {
            if (auto version = VersionOf(*engine.Get()))
                DAO = *version;
            break;
        }
    if (ComPtr<IDispatch> connection = AutomationObject("adodb.connection"))
        if (auto version = VersionOf(*connection.Get()))
            ADO = *version;
}

} // namespace qm
