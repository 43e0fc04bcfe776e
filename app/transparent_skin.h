#pragma once
// Fades its form in when shown and out when closed, through layered-window
// opacity where the system has it; the pauses run everywhere.
#include "framework/form.h"

namespace qm {

class TTransparentSkin : public Component, private TForm::MessageHook {
public:
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    TTransparentSkin();
    ~TTransparentSkin() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void Loaded() override;

    int Transparency() const { return transparency_; }
    int FadeTime() const { return fadeTime_; }
    // Shows the form, fading from invisible down to `target` percent transparent.
    void FadeIn(int target);
    void FadeOut();
    // `percent` opaque, 0..100.
    void SetOpacity(int percent);

private:
    bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    TForm* form_ = nullptr;
    SetLayeredFn setLayered_ = nullptr; // decided once: the version does not change
    int transparency_ = 10;
    int fadeTime_ = 5;
};

} // namespace qm
