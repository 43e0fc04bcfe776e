#include "sysinfo/viewer/pages/overview_pages.h"

#include "framework/edit.h"

namespace qm {

void Put(const TForm& form, std::string_view name, const std::string& text)
{
    if (auto* edit = dynamic_cast<TCustomEdit*>(form.FindComponent(name)))
        edit->SetText(text);
    else
        form.Find<TControl>(name).SetCaption(text);
}

std::string IntText(long long value)
{
    return std::to_string(value);
}

} // namespace qm
