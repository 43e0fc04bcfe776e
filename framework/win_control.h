#pragma once
// The base of controls that are the system's own windows (buttons, edits,
// lists, trees, tabs): created from a class of ours derived from the system's,
// so the window is bound to its object from the first message. Its
// notifications reach it as Command/Notify; it answers its parent's colour
// questions with its own colours.
#include "framework/control.h"

namespace qm {

class TWinControl : public TControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool DrawsScaled() const override { return false; }

protected:
    TWinControl();
    // The control's own styles, added to the common ones.
    virtual DWORD ControlStyle() const { return 0; }
    DWORD Style() const override;
    void HandleCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A WM_COMMAND notification of this control (BN_CLICKED, EN_CHANGE, ...).
    virtual bool Command(WORD) { return false; }
    // A WM_NOTIFY notification of this control.
    virtual bool Notify(NMHDR&, LRESULT&) { return false; }
    // Text and background colours for the system's drawing.
    virtual HBRUSH ControlColors(HDC dc);
    void FontChanged() override;
    void ColorChanged() override;
    void PaintNow() override;
    // A style bit set or cleared on the live window too.
    void ChangeStyle(DWORD bits, bool on);
    // The window's text as the user sees it now; the caption before it exists.
    std::string WindowText() const;

private:
    Brush background_;
    Color backgroundColor_ = 0;
};

} // namespace qm
