#include "framework/accessible_object.h"

#include <oleacc.h>

#include <atomic>

#include "framework/control.h"
#include "platform/text_encoding.h"

namespace qm {

namespace {

long SystemRole(AccessibleRole role)
{
    switch (role) {
    case AccessibleRole::Graphic:
        return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Indicator:
        return ROLE_SYSTEM_INDICATOR;
    case AccessibleRole::Slider:
        return ROLE_SYSTEM_SLIDER;
    case AccessibleRole::ProgressBar:
        return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::Chart:
        return ROLE_SYSTEM_CHART;
    case AccessibleRole::StaticText:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

HRESULT Text(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    const std::wstring wide = WideFromAnsi(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A press asked for by a screen reader runs as a click does, but after the
// question is answered: what the click opens must not hold the reader up.
UINT PressMessage()
{
    static const UINT message = RegisterWindowMessageA("Quarrimond.AccessiblePress");
    return message;
}

// The control's client object: the system's own standard object answers
// where and in what the control is; this one what it is, is called and holds.
class DrawnControlObject final : public IAccessible {
public:
    DrawnControlObject(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    DrawnControlObject(const DrawnControlObject&) = delete;
    DrawnControlObject& operator=(const DrawnControlObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    // IDispatch: screen readers call the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: what the control is.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) { return Text(facts.name, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            if (!facts.value) {
                *value = nullptr;
                return DISP_E_MEMBERNOTFOUND;
            }
            return Text(*facts.value, value);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            role->vt = VT_I4;
            role->lVal = SystemRole(facts.role);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            long flags = facts.role == AccessibleRole::StaticText || facts.role == AccessibleRole::Graphic
                ? STATE_SYSTEM_READONLY
                : 0;
            if (facts.unavailable)
                flags |= STATE_SYSTEM_UNAVAILABLE;
            if (facts.focusable)
                flags |= STATE_SYSTEM_FOCUSABLE;
            if (facts.focused)
                flags |= STATE_SYSTEM_FOCUSED;
            if (!IsWindowVisible(window_))
                flags |= STATE_SYSTEM_INVISIBLE;
            state->vt = VT_I4;
            state->lVal = flags;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Answer(child,
                      [&](const AccessibleFacts& facts) { return Text(facts.pressable ? "Press" : "", action); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) -> HRESULT {
            if (!facts.pressable)
                return DISP_E_MEMBERNOTFOUND;
            if (facts.unavailable)
                return E_FAIL;
            return PostMessageA(window_, PressMessage(), 0, 0) ? S_OK : E_FAIL;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        if (child)
            *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return Nothing(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return Nothing(child, text); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override
    {
        return Nothing(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // Where it is and what it is in: the system's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return Gone() ? RPC_E_DISCONNECTED : standard_->accHitTest(x, y, child);
    }

private:
    TControl* Control() const { return dynamic_cast<TControl*>(WindowObject::FromHandle(window_)); }
    bool Gone() const { return !IsWindow(window_) || !Control(); }

    template <class Respond> HRESULT Answer(const VARIANT& child, Respond respond)
    {
        if (!IsSelf(child))
            return E_INVALIDARG;
        TControl* control = Control();
        if (!IsWindow(window_) || !control)
            return RPC_E_DISCONNECTED;
        return respond(control->AccessibleDescription());
    }
    HRESULT Nothing(const VARIANT& child, BSTR* text)
    {
        if (!text)
            return E_POINTER;
        *text = nullptr;
        if (!IsSelf(child))
            return E_INVALIDARG;
        return Gone() ? RPC_E_DISCONNECTED : S_FALSE;
    }

    HWND window_;
    IAccessible* standard_;
    std::atomic<ULONG> references_{1};
};

// NotifyWinEvent is missing from the oldest systems' user32.
void Announce(HWND window, DWORD event)
{
    using NotifyFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
    static const auto notify = reinterpret_cast<NotifyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "NotifyWinEvent")));
    if (notify && window)
        notify(event, window, OBJID_CLIENT, CHILDID_SELF);
}

// The answer travels to the reader through COM, which the thread that owns
// the window must have joined. It joins when a reader first asks, so a
// program nobody reads never loads COM, and stays joined for the thread's life
// (the user-interface thread's is the program's). A flag, not an owner: a
// thread-local object with a destructor would import GetModuleHandleExW,
// which Windows before XP lacks, and the 32-bit program would not start there.
void JoinComApartment()
{
    thread_local bool joined = false;
    if (!joined)
        joined = SUCCEEDED(CoInitialize(nullptr));
}

} // namespace

LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    JoinComApartment();
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    auto* object = new DrawnControlObject(window, standard);
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
    object->Release(); // the answer holds its own reference
    return result;
}

UINT AccessiblePressMessage()
{
    return PressMessage();
}

void AnnounceValueChange(HWND window)
{
    Announce(window, EVENT_OBJECT_VALUECHANGE);
}

void AnnounceNameChange(HWND window)
{
    Announce(window, EVENT_OBJECT_NAMECHANGE);
}

} // namespace qm
