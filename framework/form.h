#pragma once
// A top-level window built from its stored description: the description names
// the controls, their property values and the handlers their events call; the
// form's code holds only the handlers.
#include <memory>
#include <string>
#include <vector>

#include "framework/class_registry.h"
#include "framework/control.h"

namespace qm {

class Application;
class TButton;
struct NavigationNode;

enum class BorderStyle { bsSingle, bsSizeable, bsDialog };
enum class FormPosition { poDesigned, poScreenCenter, poDesktopCenter };

inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;
inline constexpr std::string_view kModalResultNames[] = {"mrNone",  "mrOk",     "mrCancel", "mrAbort",
                                                         "mrRetry", "mrIgnore", "mrYes",    "mrNo"};

class TForm : public TControl {
public:
    explicit TForm(Application& application);
    ~TForm() override;

    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    // The window class name, also the name of the description resource.
    virtual const char* ClassName() const = 0;

    // Loads the description, creates the window (hidden) and raises OnCreate.
    void Initialize();
    // Applies a description text; public for tests of descriptions.
    void LoadDescription(std::string_view text);

    void Show();
    void Hide();
    // Asks the form to close, as the close box does.
    void Close();
    int ShowModal();
    bool IsModal() const { return modal_; }
    // Whether focus is drawn: only once the keyboard has moved it.
    bool FocusCuesShown() const { return focusCues_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Showing() const;

    // The client area in designed pixels; the form's own bounds are the
    // window's on the screen, in the screen's pixels.
    Rect ClientRect() const override;
    void SetClientSize(int width, int height);
    int Dpi() const override { return dpi_; }

    void InsertChild(Component& child) override;
    void Loaded() override;
    void CreateHandle(HWND parentWindow) override;

    void RegisterHint(TControl& control);
    // A control with a hint has the pointer (the move's parameters).
    void PointerOverHint(TControl& control, WPARAM wParam, LPARAM lParam);
    Component* FindComponent(std::string_view name) const;
    Component* ResolveReference(std::string_view name) const override { return FindComponent(name); }
    const std::vector<Component*>& NonVisualComponents() const { return nonVisual_; }

    NotifyEvent OnCreate;
    NotifyEvent OnShow;
    NotifyEvent OnClose;

    // Non-visual components that need the form's messages see them here first.
    class MessageHook {
    public:
        virtual ~MessageHook() = default;
        // True when the message is fully handled; `result` is then returned.
        virtual bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    };
    void AddMessageHook(MessageHook& hook) { hooks_.push_back(&hook); }
    void RemoveMessageHook(MessageHook& hook);

    // Components that act around the form's own show, close and destroy.
    class LifecycleHook {
    public:
        virtual ~LifecycleHook() = default;
        // Before the form's OnShow, each time it is shown.
        virtual void FormShowing() {}
        // When a close has been allowed, before the form's OnClose.
        virtual void FormClosing() {}
        // When the form is destroyed, while its window and components exist.
        virtual void FormDestroying() {}
    };
    void AddLifecycleHook(LifecycleHook& hook) { lifecycle_.push_back(&hook); }
    void RemoveLifecycleHook(LifecycleHook& hook);

    // Centring at the first show; a restored position switches it off.
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle style);
    // Bit 0 system menu, 1 minimise box, 2 maximise box.
    int BorderIcons() const;
    void SetBorderIcons(int icons);
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    // Identifiers for the form's controls, unique within it.
    int NextControlId() { return nextControlId_++; }
    // The control that has the focus, or that will have it when the form is
    // active again.
    TControl* ActiveControl() const;
    // Presses the default (Enter) or cancel (Escape) button, when there is one
    // that is visible and enabled; false otherwise.
    bool PressDefaultButton();
    bool PressCancelButton();
    TButton* DefaultButton();
    // The dialog keyboard: Tab, Shift+Tab, Enter, Escape, arrows in radio
    // groups and "&" mnemonics. True when the message was such a key and has
    // been acted on; the message loop then dispatches it no further.
    // (dialog_keyboard.cpp, over the rules of dialog_navigation.cpp.)
    bool HandleDialogKey(const MSG& msg);

    // Typed access to a described component; throws when it is missing.
    template <class T> T& Find(std::string_view name) const
    {
        auto* component = dynamic_cast<T*>(FindComponent(name));
        if (!component)
            throw EFormDescription(std::string(ClassName()) + " has no component " + std::string(name) +
                                   " of the expected class");
        return *component;
    }

protected:
    // Registers a member function as a handler the description can name.
    template <class Form> void Handler(std::string name, void (Form::*method)(Component&))
    {
        handlers_.Add<void(Component&)>(
            std::move(name), [this, method](Component& sender) { (static_cast<Form*>(this)->*method)(sender); });
    }
    HandlerTable& Handlers() { return handlers_; }

    // After the description is applied and before the window exists.
    virtual void DescriptionLoaded() {}
    // A form that is seldom opened makes its controls' windows when first
    // shown rather than at its creation: the start of the program is then
    // not kept waiting for windows nobody may look at.
    virtual bool MakesControlsWhenShown() const { return false; }
    // Makes the controls' windows, once; the form's own window must exist.
    void MakeControls();
    // The stored description: by default the resource named like the class.
    virtual std::string DescriptionText() const;

    bool AcceptsControls() const override { return true; }
    DWORD Style() const override;
    DWORD ExStyle() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(Canvas& canvas) override;
    void UpdateWindowBounds() override;
    Rect ScreenBounds() const override { return Bounds(); }
    // Gives the focus back to the control that last had it in this form.
    void RestoreFocus();

private:
    // Calls `event` on every lifecycle hook; a hook's failure goes to the
    // application and does not stop the others or the form.
    void NotifyLifecycle(void (LifecycleHook::*event)());
    // The dialog manager's requests: the next control for Tab, the default button.
    void MoveFocus(HWND target, bool previous);
    void ShowFocusCues();
    // The form's controls as the keyboard rules see them; `controls` maps
    // the nodes' identifiers to the controls.
    NavigationNode NavigationTree(std::vector<TControl*>& controls);
    void AddNavigationNodes(TControl& parent, NavigationNode& node, std::vector<TControl*>& controls);
    LRESULT DefaultButtonId() const;
    void RememberFocus();
    SIZE FrameSize() const;
    void PlaceAtFirstShow();
    void SyncBoundsFromWindow();
    // Lays the form out again at `dpi`: same designed client size, placed at
    // `suggested` (the system's choice when it moved to another monitor) or
    // where it is.
    void ChangeResolution(int dpi, const RECT* suggested);

    Application& application_;
    HandlerTable handlers_;
    std::vector<std::unique_ptr<Component>> owned_;
    std::vector<Component*> nonVisual_;
    std::vector<MessageHook*> hooks_;
    std::vector<LifecycleHook*> lifecycle_;
    BorderStyle borderStyle_ = BorderStyle::bsSizeable;
    bool systemMenu_ = true, minimizeBox_ = true, maximizeBox_ = true;
    FormPosition position_ = FormPosition::poDesigned;
    int clientWidth_ = -1, clientHeight_ = -1;
    int dpi_ = 96;
    bool placed_ = false;
    bool controlsMade_ = false;
    bool modal_ = false;
    bool focusCues_ = false;
    int modalResult_ = mrNone;
    HWND tooltip_ = nullptr;
    int nextControlId_ = 100; // clear of IDOK, IDCANCEL and the other dialog answers
    HWND savedFocus_ = nullptr;
};

} // namespace qm
