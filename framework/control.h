#pragma once
// The visual component base: a child window bound to its C++ object, with the
// common stored properties (bounds, alignment, caption, hint, colour, font),
// painting through a back buffer and mouse handling that ends in OnClick.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/align_layout.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/component.h"

namespace qm {

class TForm;

struct FontSpec {
    std::string name = "MS Sans Serif";
    int height = -11; // pixels; negative: character height, as in LOGFONT
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = clWindowText;
    int angleTenths = 0; // escapement, for rotated text
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

Font CreateFontFrom(const FontSpec& spec);

enum class CursorKind { Default, HandPoint };

class TControl : public Component {
public:
    TControl();
    ~TControl() override;

    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    bool BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler) override;
    void InsertChild(Component& child) override;
    void Loaded() override;

    // Geometry in client pixels of the parent.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetWidth(int width) { SetBounds(Rect::FromBounds(bounds_.left, bounds_.top, width, Height())); }
    void SetHeight(int height) { SetBounds(Rect::FromBounds(bounds_.left, bounds_.top, Width(), height)); }
    virtual Rect ClientRect() const { return Rect::FromBounds(0, 0, Width(), Height()); }
    Align GetAlign() const { return align_; }
    void SetAlign(Align align);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);

    Color GetColor() const;
    void SetColor(Color color);
    const FontSpec& GetFont() const;
    void SetFont(const FontSpec& font);
    HFONT FontHandle();

    TControl* Parent() const { return parent_; }
    const std::vector<TControl*>& Controls() const { return controls_; }
    TForm* OwnerForm();

    HWND Handle() const { return window_; }
    bool HandleAllocated() const { return window_ != nullptr; }
    // Creates this control's window inside `parentWindow`, then its children's.
    virtual void CreateHandle(HWND parentWindow);
    // Redraws later / now (synchronously, even inside a blocking handler).
    void Invalidate();
    void Repaint();
    // Docks the children again after a change of size or visibility.
    void Realign();

    NotifyEvent OnClick;

    // The procedure of every control and form window: binds the object at
    // creation and hands it each message.
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    // Clicks the control as the mouse would.
    virtual void Click();

protected:
    // Draws the whole control into `canvas` (the back buffer).
    virtual void Paint(Canvas& canvas);
    // Draws what the parent shows behind this control, for see-through controls.
    void PaintParentBackground(Canvas& canvas);
    virtual bool AcceptsControls() const { return false; }
    virtual DWORD Style() const;
    virtual DWORD ExStyle() const { return 0; }
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void MouseDown(int x, int y);
    virtual void MouseMove(int x, int y);
    virtual void MouseUp(int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void BoundsChanged() {}
    virtual void FontChanged();
    // For controls that are system windows: sets up `dc` and returns the
    // background brush; nothing for the system's colours.
    virtual HBRUSH SystemControlBrush(HDC) { return nullptr; }

    void SetParentColor(bool on) { parentColor_ = on; }
    void SetParentFont(bool on) { parentFont_ = on; }
    void SetCursor(CursorKind cursor) { cursor_ = cursor; }
    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_; }
    // A see-through control shows its parent's pixels where it draws nothing.
    bool transparent_ = false;

    void SetWindowHandle(HWND window) { window_ = window; }
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintToScreen(HDC target);
    void UpdateWindowBounds();

private:
    void TrackMouseLeave();

    HWND window_ = nullptr;
    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    Rect bounds_ = Rect::FromBounds(0, 0, 100, 100);
    Align align_ = Align::None;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string hint_;
    Color color_ = clBtnFace;
    bool parentColor_ = false;
    FontSpec font_;
    bool parentFont_ = true;
    Font fontHandle_;
    CursorKind cursor_ = CursorKind::Default;
    BackBuffer buffer_;
    bool mouseInside_ = false;
    bool tracking_ = false;
    bool pressed_ = false;
};

// Window class shared by all child controls.
const char* ControlWindowClass();
Align ParseAlign(const FormValue& value);

} // namespace qm
