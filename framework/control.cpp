#include "framework/control.h"

#include <windowsx.h>

#include "framework/application.h"
#include "framework/form.h"

namespace qm {

namespace {

constexpr char kControlClass[] = "QuarrimondControl";

void SetFontStyle(FontSpec& font, const std::vector<std::string>& styles)
{
    font.bold = font.italic = font.underline = false;
    for (const std::string& style : styles) {
        if (style == "fsBold")
            font.bold = true;
        else if (style == "fsItalic")
            font.italic = true;
        else if (style == "fsUnderline")
            font.underline = true;
        else
            throw EFormDescription("unknown font style " + style);
    }
}

CursorKind ParseCursor(const FormValue& value)
{
    const std::string& name = value.AsIdentifier();
    if (name == "crHandPoint")
        return CursorKind::HandPoint;
    if (name == "crDefault")
        return CursorKind::Default;
    throw EFormDescription("unknown cursor " + name);
}

template <class Change> void ChangeFont(TControl& control, Change change)
{
    FontSpec font = control.GetFont();
    change(font);
    control.SetFont(font);
}

constexpr PropertyEntry<TControl> kControlProperties[] = {
    {"Left",
     [](TControl& c, const FormValue& v) { c.SetBounds(Rect::FromBounds(v.AsInt(), c.Top(), c.Width(), c.Height())); }},
    {"Top",
     [](TControl& c, const FormValue& v) {
         c.SetBounds(Rect::FromBounds(c.Left(), v.AsInt(), c.Width(), c.Height()));
     }},
    {"Width", [](TControl& c, const FormValue& v) { c.SetWidth(v.AsInt()); }},
    {"Height", [](TControl& c, const FormValue& v) { c.SetHeight(v.AsInt()); }},
    {"Align", [](TControl& c, const FormValue& v) { c.SetAlign(ParseAlign(v)); }},
    {"Visible", [](TControl& c, const FormValue& v) { c.SetVisible(v.AsBool()); }},
    {"Enabled", [](TControl& c, const FormValue& v) { c.SetEnabled(v.AsBool()); }},
    {"Caption", [](TControl& c, const FormValue& v) { c.SetCaption(v.AsString()); }},
    {"Hint", [](TControl& c, const FormValue& v) { c.SetHint(v.AsString()); }},
    {"Color", [](TControl& c, const FormValue& v) { c.SetColor(ParseColor(v)); }},
    {"Font.Name", [](TControl& c, const FormValue& v) { ChangeFont(c, [&](FontSpec& f) { f.name = v.AsString(); }); }},
    {"Font.Height", [](TControl& c, const FormValue& v) { ChangeFont(c, [&](FontSpec& f) { f.height = v.AsInt(); }); }},
    {"Font.Color",
     [](TControl& c, const FormValue& v) { ChangeFont(c, [&](FontSpec& f) { f.color = ParseColor(v); }); }},
    {"Font.Style",
     [](TControl& c, const FormValue& v) { ChangeFont(c, [&](FontSpec& f) { SetFontStyle(f, v.AsSet()); }); }},
};

} // namespace

Align ParseAlign(const FormValue& value)
{
    struct Entry {
        std::string_view name;
        Align align;
    };
    static constexpr Entry kAligns[] = {{"alNone", Align::None},     {"alTop", Align::Top},
                                        {"alBottom", Align::Bottom}, {"alLeft", Align::Left},
                                        {"alRight", Align::Right},   {"alClient", Align::Client}};
    const std::string& name = value.AsIdentifier();
    for (const auto& entry : kAligns)
        if (entry.name == name)
            return entry.align;
    throw EFormDescription("unknown alignment " + name);
}

const char* ControlWindowClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = TControl::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kControlClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    return kControlClass;
}

Font CreateFontFrom(const FontSpec& spec)
{
    return Font(CreateFontA(spec.height, 0, spec.angleTenths, spec.angleTenths, spec.bold ? FW_BOLD : FW_NORMAL,
                            spec.italic, spec.underline, FALSE, DEFAULT_CHARSET,
                            spec.angleTenths ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, spec.name.c_str()));
}

TControl::TControl() = default;

TControl::~TControl()
{
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool TControl::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "ParentColor") {
        parentColor_ = value.AsBool();
        return true;
    }
    if (name == "ParentFont") {
        parentFont_ = value.AsBool();
        return true;
    }
    if (name == "Cursor") {
        cursor_ = ParseCursor(value);
        return true;
    }
    return ApplyFromTable<TControl>(kControlProperties, *this, name, value) || Component::ApplyProperty(name, value);
}

bool TControl::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event == "OnClick") {
        OnClick = handlers.Get<void(Component&)>(handler);
        return true;
    }
    return Component::BindEvent(event, handlers, handler);
}

void TControl::InsertChild(Component& child)
{
    auto* control = dynamic_cast<TControl*>(&child);
    if (!control || !AcceptsControls()) {
        Component::InsertChild(child);
        return;
    }
    control->parent_ = this;
    controls_.push_back(control);
}

void TControl::Loaded()
{
    Realign();
}

TForm* TControl::OwnerForm()
{
    for (TControl* c = this; c; c = c->parent_)
        if (auto* form = dynamic_cast<TForm*>(c))
            return form;
    return nullptr;
}

void TControl::SetBounds(const Rect& bounds)
{
    if (bounds == bounds_)
        return;
    bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
    bounds_ = bounds;
    UpdateWindowBounds();
    if (resized) {
        Realign();
        BoundsChanged();
        Invalidate();
    }
}

void TControl::UpdateWindowBounds()
{
    if (window_)
        MoveWindow(window_, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(), TRUE);
}

void TControl::SetAlign(Align align)
{
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (window_)
        ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_ && align_ != Align::None)
        parent_->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (window_)
        EnableWindow(window_, enabled);
    Invalidate();
}

void TControl::SetCaption(std::string caption)
{
    caption_ = std::move(caption);
    if (window_)
        SetWindowTextA(window_, caption_.c_str());
    Invalidate();
}

void TControl::SetHint(std::string hint)
{
    hint_ = std::move(hint);
    if (window_)
        if (TForm* form = OwnerForm())
            form->RegisterHint(*this);
}

Color TControl::GetColor() const
{
    return parentColor_ && parent_ ? parent_->GetColor() : color_;
}

void TControl::SetColor(Color color)
{
    color_ = color;
    parentColor_ = false;
    Invalidate();
}

const FontSpec& TControl::GetFont() const
{
    return parentFont_ && parent_ ? parent_->GetFont() : font_;
}

void TControl::SetFont(const FontSpec& font)
{
    font_ = font;
    parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged()
{
    fontHandle_.Reset();
    for (TControl* child : controls_)
        if (child->parentFont_)
            child->FontChanged();
    Invalidate();
}

HFONT TControl::FontHandle()
{
    if (!fontHandle_)
        fontHandle_ = CreateFontFrom(GetFont());
    return fontHandle_.Get();
}

DWORD TControl::Style() const
{
    return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
}

void TControl::CreateHandle(HWND parentWindow)
{
    CreateWindowExA(ExStyle(), ControlWindowClass(), caption_.c_str(), Style(), bounds_.left, bounds_.top,
                    bounds_.Width(), bounds_.Height(), parentWindow, nullptr, GetModuleHandleA(nullptr), this);
    for (TControl* child : controls_)
        child->CreateHandle(window_);
    Realign();
    if (!hint_.empty())
        if (TForm* form = OwnerForm())
            form->RegisterHint(*this);
}

void TControl::Invalidate()
{
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
}

void TControl::Repaint()
{
    if (window_)
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TControl::Realign()
{
    if (controls_.empty())
        return;
    std::vector<AlignItem> items;
    items.reserve(controls_.size());
    for (TControl* child : controls_)
        items.push_back({child->align_, child->visible_, child->bounds_});
    AlignItems(ClientRect(), items);
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->SetBounds(items[i].bounds);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(*this);
}

void TControl::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), GetColor());
}

void TControl::PaintParentBackground(Canvas& canvas)
{
    if (!parent_) {
        canvas.FillRect(ClientRect(), GetColor());
        return;
    }
    POINT old;
    OffsetViewportOrgEx(canvas.Handle(), -bounds_.left, -bounds_.top, &old);
    parent_->Paint(canvas);
    SetViewportOrgEx(canvas.Handle(), old.x, old.y, nullptr);
}

void TControl::PaintToScreen(HDC target)
{
    HDC dc = buffer_.Prepare(target, Width(), Height());
    Canvas canvas(dc);
    Paint(canvas);
    buffer_.Present(target);
}

void TControl::TrackMouseLeave()
{
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
    TrackMouseEvent(&track);
}

void TControl::MouseDown(int, int)
{
    pressed_ = true;
    tracking_ = true;
    SetCapture(window_);
    Invalidate();
}

void TControl::MouseMove(int x, int y)
{
    if (!tracking_)
        return;
    bool inside = ClientRect().Contains(x, y);
    if (inside != pressed_) {
        pressed_ = inside;
        Invalidate();
    }
}

void TControl::MouseUp(int, int)
{
    bool click = tracking_ && pressed_;
    tracking_ = pressed_ = false;
    if (GetCapture() == window_)
        ReleaseCapture();
    Invalidate();
    if (click)
        Click();
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // A system control asks its parent for colours: its object answers.
        for (TControl* child : controls_)
            if (child->window_ == reinterpret_cast<HWND>(lParam))
                if (HBRUSH brush = child->SystemControlBrush(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(window_);
        PaintToScreen(paint.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintToScreen(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TrackMouseLeave();
            MouseEnter();
        }
        MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        MouseLeave();
        return 0;
    case WM_LBUTTONUP:
        MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window_ && (tracking_ || pressed_)) {
            tracking_ = pressed_ = false;
            Invalidate();
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(LoadCursor(nullptr, cursor_ == CursorKind::HandPoint ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK TControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<TControl*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // No exception may cross into the system's code: hand it to the application.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        if (Application::Exists())
            Application::Instance().HandleException(std::current_exception());
        return 0;
    }
}

} // namespace qm
