#pragma once
// The visual component base: a child window bound to its C++ object, with the
// common stored properties (bounds, alignment, caption, hint, colour, font,
// tab stop and order), painting through a back buffer and mouse handling that
// ends in OnClick. Controls that are system windows derive from TWinControl.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/accessible_object.h"
#include "framework/align_layout.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/component.h"
#include "framework/window_object.h"

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

    static const TypeInfo& StaticType();
    // Style as a set: bit 0 bold, 1 italic, 2 underline.
    int Style() const;
    void SetStyle(int style);
};

// A font for drawing at `dpi`. The height stays in designed pixels, for a
// device context that scales them; away from 96 dpi a face that only exists
// as a bitmap gives way to its outline twin, which scales sharply.
Font CreateFontFrom(const FontSpec& spec, int dpi = 96);
// The same font with its height in the screen's pixels at `dpi`, for the
// system's controls, which draw at the screen's resolution themselves.
Font CreateScreenFont(const FontSpec& spec, int dpi);

enum class CursorKind { crDefault, crHandPoint };
inline constexpr std::string_view kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

class TControl : public Component, public WindowObject {
public:
    TControl();
    ~TControl() override;

    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void InsertChild(Component& child) override;
    void Loaded() override;

    // Geometry in designed client pixels of the parent (at 96 dpi): the
    // window itself is placed at the resolution of its form's monitor.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetLeft(int left) { SetBounds(Rect::FromBounds(left, Top(), Width(), Height())); }
    void SetTop(int top) { SetBounds(Rect::FromBounds(Left(), top, Width(), Height())); }
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
    // Whether Tab stops here, and where among its siblings.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    int TabOrder() const;
    void SetTabOrder(int order);
    // Any number the program attaches (buttons that share one handler).
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    Color GetColor() const;
    void SetColor(Color color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    const FontSpec& GetFont() const;
    void SetFont(const FontSpec& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    // The font this control draws with: in designed pixels for a drawn
    // control (its painting is scaled), in screen pixels for a system one.
    HFONT FontHandle();
    // The resolution the control's window is laid out at; 96 is as designed.
    virtual int Dpi() const { return parent_ ? parent_->Dpi() : 96; }
    // Whether this control's painting is drawn by the program, scaled from
    // its design; system controls draw themselves at the screen's resolution.
    virtual bool DrawsScaled() const { return true; }
    // Lays the window and everything drawn again after the resolution changed.
    void ResolutionChanged();
    CursorKind Cursor() const { return cursor_; }
    void SetCursor(CursorKind cursor) { cursor_ = cursor; }

    TControl* Parent() const { return parent_; }
    const std::vector<TControl*>& Controls() const { return controls_; }
    // The children in tab order: explicit orders first by number, then the
    // rest in description order.
    std::vector<TControl*> ControlsInTabOrder() const;
    TForm* OwnerForm();

    // Creates this control's window inside `parentWindow`, then its children's.
    virtual void CreateHandle(HWND parentWindow);
    // Redraws later / now (synchronously, even inside a blocking handler).
    void Invalidate();
    void Repaint();
    // Docks the children again after a change of size or visibility.
    void Realign();
    // Gives the keyboard focus to this control; false when it cannot take it.
    bool SetFocus();
    bool Focused() const;
    // Whether the control can take the focus: windowed, visible and enabled
    // up to its form.
    virtual bool CanFocus() const;

    NotifyEvent OnClick;

    // Clicks the control as the mouse would.
    virtual void Click();

    // What a screen reader is told of this drawn control. By default a
    // picture or text named by its caption, else by its hint, else by the
    // label a person reads it by.
    virtual AccessibleFacts AccessibleDescription();
    // Whether its caption names the control beside it (a label).
    virtual bool IsLabel() const { return false; }
    // A drawn push button: Space and Enter click it when it has the focus.
    virtual bool IsPushButton() const { return false; }

protected:
    // Draws the whole control into `canvas` (the back buffer).
    virtual void Paint(Canvas& canvas);
    // Draws what the parent shows behind this control, for see-through controls.
    void PaintParentBackground(Canvas& canvas);
    virtual bool AcceptsControls() const { return false; }
    // The window class: ours for drawn controls, a derived system class for
    // system controls.
    virtual WindowClass ControlClass() const;
    virtual DWORD Style() const;
    virtual DWORD ExStyle() const;
    // The window's height; more than the control's for a combo box's list.
    virtual int WindowHeight() const { return Height(); }
    // Sets up a newly created window (font, contents) before its children exist.
    virtual void HandleCreated() {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void MouseDown(int x, int y);
    virtual void MouseMove(int x, int y);
    virtual void MouseUp(int x, int y);
    // Whether the control's look follows the pointer: only then does it hear
    // the pointer enter and leave, since while that is asked for Wine polls
    // for the pointer every 0.4 s.
    virtual bool FollowsPointer() const { return false; }
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void BoundsChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void CaptionChanged() {}
    // Puts the children's windows in tab order (their z-order).
    void ApplyTabOrder();
    // Makes the children's windows inside this one's, in tab order, laid out.
    void CreateChildHandles();
    // The identifier children's notifications carry; unique within the form.
    int ControlId() const { return controlId_; }

    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_; }
    // A see-through control shows its parent's pixels where it draws nothing.
    bool transparent_ = false;

    void PaintToScreen(HDC target);
    // Repaint of a shown control: drawn controls draw straight into their
    // windows, children too; system controls are asked to redraw.
    virtual void PaintNow();
    virtual void UpdateWindowBounds();
    // Where the window goes in its parent, at the screen's resolution.
    virtual Rect ScreenBounds() const;
    // A mouse position in the window, back in designed pixels.
    int ToDesign(int screen) const { return ScaleToDesign(screen, Dpi()); }
    // The name a drawn control without a caption goes by: its label's caption.
    std::string LabelName() const;
    // Tells screen readers the value changed (after the change is stored).
    void ValueChanged() const { AnnounceValueChange(Handle()); }

private:
    void TrackMouseLeave();
    void DetachFont();
    static FontSpec* FontForProperty(TControl& control, bool forWriting);
    static void FontPropertyChanged(TControl& control);

    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    Rect bounds_ = Rect::FromBounds(0, 0, 100, 100);
    Align align_ = Align::None;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    int tabOrder_ = -1; // -1: where the description puts it
    int tag_ = 0;
    int controlId_ = 0;
    std::string caption_;
    std::string hint_;
    Color color_ = clBtnFace;
    bool parentColor_ = false;
    FontSpec font_;
    bool parentFont_ = true;
    Font fontHandle_;
    CursorKind cursor_ = CursorKind::crDefault;
    bool mouseInside_ = false;
    bool tracking_ = false;
    bool pressed_ = false;
};

} // namespace qm
