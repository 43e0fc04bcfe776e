#pragma once
// The system edit box, single-line (TEdit) and multi-line (TMemo).
#include "framework/string_list.h"
#include "framework/win_control.h"

namespace qm {

class TCustomEdit : public TWinControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    // The text as the user sees it now.
    std::string Text() const;
    void SetText(const std::string& text);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

    NotifyEvent OnChange;

protected:
    TCustomEdit();
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override;
    DWORD ExStyle() const override { return TWinControl::ExStyle() | WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    bool Command(WORD code) override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0; // 0: as long as the system allows
};

class TEdit : public TCustomEdit {
public:
    TEdit();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

protected:
    DWORD ControlStyle() const override { return TCustomEdit::ControlStyle() | ES_AUTOHSCROLL; }
};

enum class ScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr std::string_view kScrollBarNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

class TMemo : public TCustomEdit {
public:
    TMemo();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    ScrollBars GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(ScrollBars bars) { scrollBars_ = bars; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }

protected:
    DWORD ControlStyle() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    ScrollBars scrollBars_ = ScrollBars::ssNone;
};

} // namespace qm
