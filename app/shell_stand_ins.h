#pragma once
// Components of the main window that hold their stored settings but do not
// act yet: the fade, the flat hint window, the one-instance guard and the
// settings store.
#include "framework/component.h"

namespace qm {

class TTransparentSkin : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    void FadeIn(int /*transparency*/) {}
    void FadeOut() {}

private:
    int transparency_ = 0;
    int fadeTime_ = 0;
};

class TFlatHint : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
};

class TabfOneInstance : public Component {};

class TFormStorage : public Component {
public:
    bool ApplyProperty(std::string_view name, const FormValue& value) override;

private:
    std::string iniFileName_, iniSection_;
    bool useRegistry_ = false;
};

} // namespace qm
