#pragma once
// Remembers a window's placement, and chosen properties of its controls, in
// the current user's registry: restored when the window is shown, saved when
// it is closed or destroyed.
#include <optional>
#include <string>
#include <vector>

#include "components/placement_values.h"
#include "framework/form.h"

namespace qm {

class TFormStorage : public Component, private TForm::LifecycleHook {
public:
    ~TFormStorage() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    void Save();
    void Restore();
    bool Restored() const { return restored_; }
    // A stored property's text as saved ("FlatCheckBox6_Checked" -> "True");
    // nothing when none was saved, or when the value is not text.
    std::optional<std::string> StoredValue(const std::string& name) const { return Read(name); }

private:
    void FormShowing() override;
    void FormClosing() override;
    void FormDestroying() override;

    std::optional<std::string> Read(const std::string& name) const;
    void Write(const std::string& name, const std::string& value) const;
    void RestorePlacement();
    void RestoreStoredProperties();
    void MoveMaximisedFrameOffScreen();
    TForm& Form() const;

    std::string iniFileName_;
    std::string iniSection_;
    bool useRegistry_ = true;
    bool position_ = true, state_ = true, activeControl_ = false;
    bool active_ = true;
    int version_ = 0;
    std::vector<std::string> storedPropsText_;
    std::vector<StoredProperty> storedProps_;
    TForm* form_ = nullptr;
    bool restored_ = false, saved_ = false, destroying_ = false;
};

} // namespace qm
