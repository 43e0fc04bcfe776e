#pragma once
// Services that pass every call on to others (the real system by default):
// a base for programs that change one or two answers, such as where
// message boxes go.
#include "platform/system_services.h"

namespace qm {

class ForwardingServices : public SystemServices {
public:
    explicit ForwardingServices(SystemServices& target = WindowsServices()) : target_(target) {}

    MemoryStatus ReadMemoryStatus() override { return target_.ReadMemoryStatus(); }
    void TouchAndRelease(std::uint64_t bytes, const std::function<bool()>& stopRequested) override
    {
        target_.TouchAndRelease(bytes, stopRequested);
    }
    void ShowHelpContents(const std::string& helpFile) override { target_.ShowHelpContents(helpFile); }
    bool FileExists(const std::string& path) override { return target_.FileExists(path); }
    std::string ExecutableDirectory() override { return target_.ExecutableDirectory(); }
    MessageResult ShowMessage(const MessageBoxRequest& request) override { return target_.ShowMessage(request); }
    OsVersionInfo OsVersion() override { return target_.OsVersion(); }
    bool EnableShutdownPrivilege() override { return target_.EnableShutdownPrivilege(); }
    bool RequestExitWindows(unsigned flags) override { return target_.RequestExitWindows(flags); }
    bool RequestPowerState(bool suspend, bool force) override { return target_.RequestPowerState(suspend, force); }
    void OpenWithShell(const std::string& target) override { target_.OpenWithShell(target); }
    bool NotifyTrayIcon(TrayAction action, const TrayIconData& data) override
    {
        return target_.NotifyTrayIcon(action, data);
    }
    ProcessEnd EndProcess(std::uint32_t id, const std::function<bool()>& isTheListed) override
    {
        return target_.EndProcess(id, isTheListed);
    }
    void* DriveIcon(const std::string& root) override { return target_.DriveIcon(root); }

private:
    SystemServices& target_;
};

} // namespace qm
