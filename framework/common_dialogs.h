#pragma once
// The system's save-file and printer-setup dialogs as components of a window
// description.
#include <windows.h>

#include "framework/component.h"

namespace qm {

class TSaveDialog : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    // "Text files|*.txt|All files|*.*": description and pattern pairs.
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // Bits of ofOverwritePrompt, ofHideReadOnly, ofEnableSizing, ofPathMustExist.
    int Options() const { return options_; }
    void SetOptions(int options) { options_ = options; }

    // Shows the dialog owned by `owner`; true when the user chose a file,
    // which FileName then holds.
    bool Execute(HWND owner);

private:
    std::string fileName_, defaultExt_, filter_, title_;
    int options_ = 0;
};

class TPrinterSetupDialog : public Component {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    // True when the user confirmed; false when cancelled or without printers.
    bool Execute(HWND owner);
};

} // namespace qm
