#include "framework/common_dialogs.h"

#include <commdlg.h>

#include <vector>

namespace qm {

namespace {

constexpr std::string_view kSaveOptionNames[] = {"ofOverwritePrompt", "ofHideReadOnly", "ofEnableSizing",
                                                 "ofPathMustExist"};

// "a|b|c|d" as the dialog wants it: NUL-separated, two NULs at the end.
std::string FilterText(const std::string& filter)
{
    std::string text = filter;
    for (char& c : text)
        if (c == '|')
            c = '\0';
    text.push_back('\0');
    text.push_back('\0');
    return text;
}

} // namespace

const TypeInfo& TSaveDialog::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<TSaveDialog, &TSaveDialog::FileName, &TSaveDialog::SetFileName>("FileName"),
        StringProperty<TSaveDialog, &TSaveDialog::DefaultExt, &TSaveDialog::SetDefaultExt>("DefaultExt"),
        StringProperty<TSaveDialog, &TSaveDialog::Filter, &TSaveDialog::SetFilter>("Filter"),
        StringProperty<TSaveDialog, &TSaveDialog::Title, &TSaveDialog::SetTitle>("Title"),
        SetProperty<TSaveDialog, &TSaveDialog::Options, &TSaveDialog::SetOptions>("Options", kSaveOptionNames),
    };
    static constexpr TypeInfo kType = ComponentType<TSaveDialog>("TSaveDialog", &Component::StaticType, kProperties);
    return kType;
}

bool TSaveDialog::Execute(HWND owner)
{
    std::vector<char> name(MAX_PATH * 4, '\0');
    fileName_.copy(name.data(), std::min(fileName_.size(), name.size() - 1));
    const std::string filter = FilterText(filter_);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    dialog.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options_ & 1)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (options_ & 2)
        dialog.Flags |= OFN_HIDEREADONLY;
    if (options_ & 4)
        dialog.Flags |= OFN_ENABLESIZING;
    if (options_ & 8)
        dialog.Flags |= OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameA(&dialog))
        return false;
    fileName_ = name.data();
    return true;
}

const TypeInfo& TPrinterSetupDialog::StaticType()
{
    static constexpr TypeInfo kType =
        ComponentType<TPrinterSetupDialog>("TPrinterSetupDialog", &Component::StaticType, {});
    return kType;
}

bool TPrinterSetupDialog::Execute(HWND owner)
{
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    const bool confirmed = PrintDlgA(&dialog) != FALSE;
    // The dialog hands out its settings as global memory we do not keep.
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return confirmed;
}

} // namespace qm
