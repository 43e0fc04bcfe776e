#pragma once
// A multi-line text box: the system's edit control, so selection, copying
// and scrolling behave as everywhere else in Windows.
#include "framework/control.h"
#include "framework/gdi.h"
#include "framework/string_list.h"

namespace qm {

enum class ScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TControl {
public:
    TMemo();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    void CreateHandle(HWND parentWindow) override;

    // The whole text, lines joined by CR LF.
    void SetText(const std::string& text);
    std::string Text() const;
    bool ReadOnly() const { return readOnly_; }

protected:
    void FontChanged() override;
    HBRUSH SystemControlBrush(HDC dc) override;

private:
    bool readOnly_ = false;
    bool wordWrap_ = true;
    ScrollBars scrollBars_ = ScrollBars::ssNone;
    std::string text_;
    Brush background_;
};

} // namespace qm
