#include "app/shell_stand_ins.h"

namespace qm {

bool TTransparentSkin::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Transparency")
        transparency_ = value.AsInt();
    else if (name == "FadeTime")
        fadeTime_ = value.AsInt();
    else
        return Component::ApplyProperty(name, value);
    return true;
}

bool TFlatHint::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Font.Name" || name == "Font.Height")
        return true;
    return Component::ApplyProperty(name, value);
}

bool TFormStorage::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "IniFileName")
        iniFileName_ = value.AsString();
    else if (name == "IniSection")
        iniSection_ = value.AsString();
    else if (name == "UseRegistry")
        useRegistry_ = value.AsBool();
    else
        return Component::ApplyProperty(name, value);
    return true;
}

} // namespace qm
