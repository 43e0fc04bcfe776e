#include "app/transparent_skin.h"

#include "framework/application.h"

namespace qm {

namespace {

// Opacity is used only on Windows 2000 and only where user32 offers it.
TTransparentSkin::SetLayeredFn LayeredWindowSupport()
{
    OsVersionInfo version = Application::Instance().Services().OsVersion();
    if (version.major != 5 || version.minor != 0)
        return nullptr;
    return reinterpret_cast<TTransparentSkin::SetLayeredFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("USER32"), "SetLayeredWindowAttributes")));
}

} // namespace

TTransparentSkin::TTransparentSkin() = default;

TTransparentSkin::~TTransparentSkin()
{
    if (form_)
        form_->RemoveMessageHook(*this);
}

const TypeInfo& TTransparentSkin::StaticType()
{
    using S = TTransparentSkin;
    // Stored values only, kept as the signed bytes they are: nothing is repainted.
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<S, &S::Transparency, [](S& s, int n) { s.transparency_ = static_cast<signed char>(n); }>(
            "Transparency"),
        IntProperty<S, &S::FadeTime, [](S& s, int n) { s.fadeTime_ = static_cast<signed char>(n); }>("FadeTime"),
    };
    static constexpr TypeInfo kType = ComponentType<S>("TTransparentSkin", &Component::StaticType, kProperties);
    return kType;
}

void TTransparentSkin::Loaded()
{
    form_ = dynamic_cast<TForm*>(Owner());
    setLayered_ = LayeredWindowSupport();
    if (form_)
        form_->AddMessageHook(*this);
}

bool TTransparentSkin::FormMessage(UINT message, WPARAM, LPARAM, LRESULT&)
{
    // The window starts 90 % opaque, as at construction.
    if (message == WM_CREATE)
        SetOpacity(90);
    return false;
}

void TTransparentSkin::SetOpacity(int percent)
{
    if (!form_ || !form_->Handle() || !setLayered_)
        return;
    HWND window = form_->Handle();
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | 0x80000 /* WS_EX_LAYERED */);
    setLayered_(window, 0, static_cast<BYTE>(percent * 255 / 100), 2 /* LWA_ALPHA */);
}

void TTransparentSkin::FadeIn(int target)
{
    transparency_ = 100;
    SetOpacity(0);
    if (form_ && form_->Handle()) {
        ShowWindow(form_->Handle(), SW_SHOW);
        SetForegroundWindow(form_->Handle());
    }
    if (target <= 100) {
        for (int t = 100; t >= target; --t) {
            SetOpacity(100 - t);
            // Without opacity every step would paint the same pixels again:
            // the first paint is enough, and the steps keep their pace.
            if (form_ && form_->Handle() && (setLayered_ || t == 100))
                RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Sleep(fadeTime_ > 0 ? fadeTime_ : 0);
        }
    }
    transparency_ = target;
}

void TTransparentSkin::FadeOut()
{
    for (int t = transparency_; t <= 100; ++t) {
        transparency_ = t;
        SetOpacity(100 - t);
        Sleep(fadeTime_ > 0 ? fadeTime_ : 0);
    }
}

} // namespace qm
