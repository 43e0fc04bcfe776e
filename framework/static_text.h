#pragma once
// The system static text: a caption that the dialog manager knows, so its
// "&" mnemonic moves the focus to the control after it.
#include "framework/win_control.h"

namespace qm {

enum class TextAlignment { taLeftJustify, taRightJustify, taCenter };
inline constexpr std::string_view kTextAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

class TStaticText : public TWinControl {
public:
    TStaticText();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    TextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TextAlignment alignment);

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;

private:
    TextAlignment alignment_ = TextAlignment::taLeftJustify;
};

} // namespace qm
