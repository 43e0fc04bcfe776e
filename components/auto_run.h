#pragma once
// Keeps a program registered, or not, in one of the Windows start-up lists.
// Registry failures are silent: the property keeps the value that was set.
#include <string>

#include "framework/component.h"

namespace qm {

enum class AutoExecKind {
    aekMachineRun,
    aekMachineRunOnce,
    aekUserRun,
    aekUserRunOnce,
    aekServiceRun,
    aekServiceRunOnce
};

class TabfAutoRun : public Component {
public:
    TabfAutoRun();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    bool AutoRun() const { return autoRun_; }
    void SetAutoRun(bool on);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName);
    AutoExecKind Kind() const { return kind_; }
    void SetKind(AutoExecKind kind);

    // Deletes the entry of the current kind and file name.
    bool RemoveAutoRun();
    // Removes, then writes the entry when AutoRun is on.
    bool ApplyAutoRun();

    // The value name: what follows the last "\", ":" or "/".
    static std::string ValueName(const std::string& fileName);

private:
    bool WriteEntry();
    bool SkippedOnThisSystem() const;

    bool autoRun_ = false;
    std::string fileName_;
    AutoExecKind kind_ = AutoExecKind::aekMachineRun;
};

} // namespace qm
