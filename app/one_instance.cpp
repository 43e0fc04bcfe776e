#include "app/one_instance.h"

#include <windows.h>

#include <map>

#include "framework/application.h"
#include "platform/unique_resource.h"

namespace qm {

namespace {

// Held until the process ends; Windows frees it then, and a copy that died
// leaves it abandoned for the next one to take over.
UniqueHandle& InstanceMutex(const std::string& title)
{
    static std::map<std::string, UniqueHandle> mutexes;
    return mutexes[title];
}

HWND FindOtherApplicationWindow(const std::string& title, HWND own)
{
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "TApplication", title.c_str())) != nullptr)
        if (found != own)
            return found;
    return nullptr;
}

} // namespace

const TypeInfo& TabfOneInstance::StaticType()
{
    using O = TabfOneInstance;
    static constexpr PropertyInfo kProperties[] = {
        BoolProperty<O, &O::activatePrevInstance_>("ActivatePrevInstance"),
        BoolProperty<O, &O::showMessage_>("ShowMessage"),
        StringProperty<O, &O::message_>("Message"),
    };
    static constexpr TypeInfo kType = ComponentType<O>("TabfOneInstance", &Component::StaticType, kProperties);
    return kType;
}

bool TabfOneInstance::ClaimInstance(const std::string& title)
{
    // The first mutex keeps two copies starting together from both winning.
    UniqueHandle critical(CreateMutexA(nullptr, TRUE, (title + ".OneInstance.CriticalSection").c_str()));
    if (!critical || GetLastError() == ERROR_ALREADY_EXISTS)
        return false;
    UniqueHandle& instance = InstanceMutex(title);
    if (!instance)
        instance.Reset(CreateMutexA(nullptr, FALSE, (title + ".OneInstance.Default").c_str()));
    DWORD wait = instance ? WaitForSingleObject(instance.Get(), 0) : WAIT_FAILED;
    ReleaseMutex(critical.Get());
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

void TabfOneInstance::Loaded()
{
    Application& application = Application::Instance();
    if (ClaimInstance(application.Title()))
        return;
    application.SetShowMainForm(false);
    if (showMessage_) {
        std::string text =
            message_.empty() ? "Application \"" + application.Title() + "\" is already running." : message_;
        application.ShowMessage({text, application.Title(), MessageIcon::Warning, MessageButtons::Ok, true});
    }
    if (activatePrevInstance_) {
        if (HWND other = FindOtherApplicationWindow(application.Title(), application.Handle())) {
            if (IsIconic(other))
                OpenIcon(other);
            else
                SetForegroundWindow(other);
        }
    }
    application.Terminate();
}

} // namespace qm
