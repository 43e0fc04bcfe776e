#include "components/form_storage.h"

#include "framework/application.h"
#include "platform/device_context.h"
#include "platform/monitors.h"
#include "platform/registry_key.h"
#include "platform/registry_text.h"

namespace qm {

namespace {

int ScreenPixelsPerInch()
{
    const WindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

std::string Suffix()
{
    return ResolutionSuffix(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}


// Frame metrics for the border: a maximised window puts its frame just off screen.
SIZE FrameMetrics(BorderStyle border)
{
    switch (border) {
    case BorderStyle::bsSizeable:
        return {GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME)};
    case BorderStyle::bsDialog:
        return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)};
    case BorderStyle::bsSingle:
        break;
    }
    return {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
}

} // namespace

TFormStorage::~TFormStorage()
{
    if (form_)
        form_->RemoveLifecycleHook(*this);
}

const TypeInfo& TFormStorage::StaticType()
{
    using S = TFormStorage;
    static constexpr std::string_view kOptionNames[] = {"fpState", "fpPosition", "fpActiveControl"};
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<S, &S::iniFileName_>("IniFileName"),
        StringProperty<S, &S::iniSection_>("IniSection"),
        // Only the registry variant exists in this program.
        BoolProperty<S, &S::useRegistry_,
                     [](S& s, bool on) {
                         if (!on)
                             throw EFormDescription("settings are kept in the registry only");
                         s.useRegistry_ = true;
                     }>("UseRegistry"),
        SetProperty<S,
                    [](const S& s) { return (s.state_ ? 1 : 0) | (s.position_ ? 2 : 0) | (s.activeControl_ ? 4 : 0); },
                    [](S& s, int options) {
                        s.state_ = options & 1;
                        s.position_ = options & 2;
                        s.activeControl_ = options & 4;
                    }>("Options", kOptionNames),
        BoolProperty<S, &S::active_>("Active"),
        IntProperty<S, &S::version_>("Version"),
        LinesProperty<S, &S::storedPropsText_>("StoredProps"),
        LinesProperty<S, &S::storedPropsText_>("StoredProps.Strings"),
    };
    static constexpr TypeInfo kType = ComponentType<S>("TFormStorage", &Component::StaticType, kProperties);
    return kType;
}

void TFormStorage::Loaded()
{
    form_ = dynamic_cast<TForm*>(Owner());
    if (!form_)
        throw EFormDescription(Name() + " belongs on a form");
    // Entries that name no component of the form are dropped.
    for (const std::string& entry : storedPropsText_)
        if (auto property = ParseStoredProperty(entry); property && form_->FindComponent(property->component))
            storedProps_.push_back(*property);
    form_->AddLifecycleHook(*this);
}

TForm& TFormStorage::Form() const
{
    return *form_;
}

std::optional<std::string> TFormStorage::Read(const std::string& name) const
{
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, iniFileName_ + "\\" + iniSection_, KEY_READ))
        return std::nullopt;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!key.ReadRaw(name, type, data))
        return std::nullopt;
    // A value of another type (left by some other program or an older
    // version) counts as missing: the window still opens, and the next save
    // writes it again as text.
    return RegistryDataToText(type, data.data(), data.size());
}

void TFormStorage::Write(const std::string& name, const std::string& value) const
{
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, iniFileName_ + "\\" + iniSection_, KEY_WRITE))
        key.WriteString(name, value);
}

void TFormStorage::Save()
{
    if (active_ && !restored_)
        return; // never shown: the settings of the last run stay
    const std::string suffix = Suffix();
    Write("FormVersion", std::to_string(version_));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(Form().Handle(), &placement);
    UINT showCmd = placement.showCmd;
    if (Application::Instance().MainForm() == &Form() && Application::Instance().Minimized())
        showCmd = SW_SHOWMINIMIZED;
    Write("Flags", std::to_string(placement.flags));
    Write("ShowCmd", std::to_string(showCmd));
    Write("PixelsPerInch", std::to_string(ScreenPixelsPerInch()));
    const std::string minMax = FormatFour(
        {placement.ptMinPosition.x, placement.ptMinPosition.y, placement.ptMaxPosition.x, placement.ptMaxPosition.y});
    const RECT& normal = placement.rcNormalPosition;
    const std::string normPos = FormatFour({normal.left, normal.top, normal.right, normal.bottom});
    Write("MinMaxPos" + suffix, minMax);
    Write("MinMaxPos", minMax);
    Write("NormPos" + suffix, normPos);
    Write("NormPos", normPos);
    Write("Visible", destroying_ ? "1" : "0");
    for (const StoredProperty& property : storedProps_) {
        std::string text;
        if (Component* component = Form().FindComponent(property.component);
            component && component->PropertyText(property.property, text))
            Write(property.ValueName(), text);
    }
    saved_ = true;
}

void TFormStorage::Restore()
{
    saved_ = false;
    if (ParseIntOr(Read("FormVersion"), 0) >= version_) {
        if (position_ || state_)
            RestorePlacement();
        restored_ = true;
        RestoreStoredProperties();
    }
    restored_ = true;
    MoveMaximisedFrameOffScreen();
}

void TFormStorage::RestorePlacement()
{
    TForm& form = Form();
    HWND window = form.Handle();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    if (!IsWindowVisible(window))
        placement.showCmd = SW_HIDE;

    if (position_) {
        const std::string suffix = Suffix();
        placement.flags = ParseIntOr(Read("Flags"), static_cast<int>(placement.flags));
        std::optional<std::string> minMax = Read("MinMaxPos" + suffix);
        if (!minMax || minMax->empty())
            minMax = Read("MinMaxPos");
        const bool haveMinMax = minMax && !minMax->empty();
        if (haveMinMax) {
            auto v = ParseFour(*minMax, {0, 0, 0, 0});
            placement.ptMinPosition = {v[0], v[1]};
            placement.ptMaxPosition = {v[2], v[3]};
        }
        std::optional<std::string> normPos = Read("NormPos" + suffix);
        if (!normPos || normPos->empty())
            normPos = Read("NormPos");
        const bool haveNormPos = normPos && !normPos->empty();
        if (haveNormPos) {
            auto v =
                ParseFour(*normPos, {form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()});
            placement.rcNormalPosition = {v[0], v[1], v[2], v[3]};
        }
        const int ppi = ParseIntOr(Read("PixelsPerInch"), ScreenPixelsPerInch());
        if ((haveMinMax || haveNormPos) && ppi == ScreenPixelsPerInch()) {
            RECT& r = placement.rcNormalPosition;
            if (form.GetBorderStyle() != BorderStyle::bsSizeable)
                r = {r.left, r.top, r.left + form.Width(), r.top + form.Height()};
            // A position on no screen at all (a monitor since removed) would
            // leave the window unreachable: it then opens where designed.
            if (r.left < r.right && OnSomeMonitor(r)) {
                if (form.Position() != FormPosition::poDesigned)
                    form.SetPosition(FormPosition::poDesigned);
                SetWindowPlacement(window, &placement);
            }
        }
    }

    if (state_) {
        const bool isMain = Application::Instance().MainForm() == &form || !Application::Instance().MainForm();
        StoredState state = StateFromShowCmd(ParseIntOr(Read("ShowCmd"), 0), StoredState::Normal);
        if (state == StoredState::Minimized && isMain) {
            // Minimised once messages run: with the tray icon that means the tray.
            PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        }
        if (state == StoredState::Maximized && IsWindowVisible(window))
            ShowWindow(window, SW_SHOWMAXIMIZED);
    }
    form.Invalidate();
}

void TFormStorage::RestoreStoredProperties()
{
    for (const StoredProperty& property : storedProps_) {
        Component* component = Form().FindComponent(property.component);
        std::string current;
        if (!component || !component->PropertyText(property.property, current))
            continue;
        try {
            std::string text = Trim(Read(property.ValueName()).value_or(current));
            component->SetPropertyText(property.property, text);
        } catch (const std::exception&) {
            // A bad stored value leaves the property as it is.
        }
    }
}

void TFormStorage::MoveMaximisedFrameOffScreen()
{
    HWND window = Form().Handle();
    if (!window)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    if (!IsWindowVisible(window))
        placement.showCmd = SW_HIDE;
    SIZE frame = FrameMetrics(Form().GetBorderStyle());
    placement.ptMaxPosition = {-frame.cx, -frame.cy};
    SetWindowPlacement(window, &placement);
}

void TFormStorage::FormShowing()
{
    if (active_)
        Restore();
}

void TFormStorage::FormClosing()
{
    if (active_ && Form().Handle())
        Save();
}

void TFormStorage::FormDestroying()
{
    if (!active_ || saved_ || !Form().Handle())
        return;
    destroying_ = true;
    Save();
    destroying_ = false;
}

} // namespace qm
