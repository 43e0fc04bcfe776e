#include "framework/control.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/accessible_label.h"
#include "framework/application.h"
#include "framework/form.h"
#include "platform/system_function.h"

namespace qm {

namespace {

constexpr std::string_view kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline"};
constexpr std::string_view kCursorNames[] = {"crDefault", "crHandPoint"};

} // namespace

int FontSpec::Style() const
{
    return (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0);
}

void FontSpec::SetStyle(int style)
{
    bold = style & 1;
    italic = style & 2;
    underline = style & 4;
}

const TypeInfo& FontSpec::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        StringProperty<FontSpec, &FontSpec::name>("Name"),
        IntProperty<FontSpec, &FontSpec::height>("Height"),
        ColorProperty<FontSpec, &FontSpec::color>("Color"),
        SetProperty<FontSpec, &FontSpec::Style, &FontSpec::SetStyle>("Style", kFontStyleNames),
    };
    static constexpr TypeInfo kType = RecordType("TFont", kProperties);
    return kType;
}

const TypeInfo& TControl::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TControl, &TControl::Left, &TControl::SetLeft>("Left"),
        IntProperty<TControl, &TControl::Top, &TControl::SetTop>("Top"),
        IntProperty<TControl, &TControl::Width, &TControl::SetWidth>("Width"),
        IntProperty<TControl, &TControl::Height, &TControl::SetHeight>("Height"),
        EnumProperty<TControl, &TControl::GetAlign, &TControl::SetAlign>("Align", kAlignNames),
        BoolProperty<TControl, &TControl::Visible, &TControl::SetVisible>("Visible"),
        BoolProperty<TControl, &TControl::Enabled, &TControl::SetEnabled>("Enabled"),
        StringProperty<TControl, &TControl::Caption, &TControl::SetCaption>("Caption"),
        StringProperty<TControl, &TControl::Hint, &TControl::SetHint>("Hint"),
        BoolProperty<TControl, &TControl::TabStop, &TControl::SetTabStop>("TabStop"),
        IntProperty<TControl, &TControl::TabOrder, &TControl::SetTabOrder>("TabOrder"),
        IntProperty<TControl, &TControl::Tag, &TControl::SetTag>("Tag"),
        ColorProperty<TControl, &TControl::GetColor, &TControl::SetColor>("Color"),
        BoolProperty<TControl, &TControl::ParentColor, &TControl::SetParentColor>("ParentColor"),
        BoolProperty<TControl, &TControl::ParentFont, &TControl::SetParentFont>("ParentFont"),
        EnumProperty<TControl, &TControl::Cursor, &TControl::SetCursor>("Cursor", kCursorNames),
        ObjectProperty<TControl, FontSpec, &TControl::FontForProperty, &TControl::FontPropertyChanged>("Font"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TControl, &TControl::OnClick>("OnClick"),
    };
    static constexpr TypeInfo kType = ComponentType<TControl>("TControl", &Component::StaticType, kProperties, kEvents);
    return kType;
}

namespace {

bool HasNonClientParts(HWND window)
{
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) ||
        (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

int CALLBACK NoteOutlineFace(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM found)
{
    if (type & TRUETYPE_FONTTYPE)
        *reinterpret_cast<bool*>(found) = true;
    return 1;
}

// Whether a face of this name exists as an outline font.
bool OutlineFaceExists(const char* face)
{
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const WindowDC screen(nullptr);
    EnumFontFamiliesExA(screen.Get(), &wanted, NoteOutlineFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The bitmap face the forms are designed in has an outline twin on every
// system since 2000 under another name; elsewhere the outline font of the
// same name, or the nearest the system has.
std::string ScalableFace(const std::string& face)
{
    if (face == "MS Sans Serif") {
        static const bool twinExists = OutlineFaceExists("Microsoft Sans Serif");
        if (twinExists)
            return "Microsoft Sans Serif";
    }
    return face;
}

} // namespace

Font CreateFontFrom(const FontSpec& spec, int dpi)
{
    const bool scaled = dpi != 96;
    const std::string face = scaled ? ScalableFace(spec.name) : spec.name;
    const BYTE precision = scaled ? OUT_TT_ONLY_PRECIS : spec.angleTenths ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
    return Font(CreateFontA(spec.height, 0, spec.angleTenths, spec.angleTenths, spec.bold ? FW_BOLD : FW_NORMAL,
                            spec.italic, spec.underline, FALSE, DEFAULT_CHARSET, precision, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

Font CreateScreenFont(const FontSpec& spec, int dpi)
{
    FontSpec screen = spec;
    screen.height = ScaleFromDesign(spec.height, dpi);
    return CreateFontFrom(screen, dpi);
}

TControl::TControl() = default;

TControl::~TControl()
{
    // Its messages must not reach a half-destroyed object: the window goes first.
    DestroyBoundWindow();
}

FontSpec* TControl::FontForProperty(TControl& control, bool forWriting)
{
    if (forWriting)
        control.DetachFont();
    return &control.font_;
}

void TControl::FontPropertyChanged(TControl& control)
{
    control.parentFont_ = false;
    control.FontChanged();
}

void TControl::DetachFont()
{
    // A control that takes its parent's font starts from it when changed.
    if (parentFont_ && parent_)
        font_ = parent_->GetFont();
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
    if (Handle()) {
        const Rect r = ScreenBounds();
        MoveWindow(Handle(), r.left, r.top, r.Width(), r.Height(), TRUE);
    }
}

Rect TControl::ScreenBounds() const
{
    const int dpi = Dpi();
    Rect r = ScaleRectFromDesign(bounds_, dpi);
    r.bottom = ScaleFromDesign(bounds_.top + WindowHeight(), dpi);
    return r;
}

void TControl::ResolutionChanged()
{
    FontChanged();
    if (Parent())
        UpdateWindowBounds();
    for (TControl* child : controls_)
        child->ResolutionChanged();
    Invalidate();
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
    if (Handle())
        ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
    if (parent_ && align_ != Align::None)
        parent_->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (Handle())
        EnableWindow(Handle(), enabled);
    Invalidate();
}

void TControl::SetCaption(std::string caption)
{
    caption_ = std::move(caption);
    if (Handle())
        SetWindowTextA(Handle(), caption_.c_str());
    Invalidate();
    CaptionChanged();
}

void TControl::SetHint(std::string hint)
{
    hint_ = std::move(hint);
    if (Handle())
        if (TForm* form = OwnerForm())
            form->RegisterHint(*this);
}

void TControl::SetTabStop(bool tabStop)
{
    tabStop_ = tabStop;
    if (Handle()) {
        LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
        SetWindowLongPtrA(Handle(), GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

int TControl::TabOrder() const
{
    if (tabOrder_ >= 0 || !parent_)
        return std::max(tabOrder_, 0);
    const auto& siblings = parent_->controls_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TControl::SetTabOrder(int order)
{
    tabOrder_ = std::max(order, 0);
    if (parent_ && parent_->Handle())
        parent_->ApplyTabOrder();
}

std::vector<TControl*> TControl::ControlsInTabOrder() const
{
    std::vector<TControl*> order = controls_;
    std::stable_sort(order.begin(), order.end(), [](const TControl* a, const TControl* b) {
        const int ka = a->tabOrder_ >= 0 ? a->tabOrder_ : INT32_MAX;
        const int kb = b->tabOrder_ >= 0 ? b->tabOrder_ : INT32_MAX;
        return ka < kb;
    });
    return order;
}

void TControl::CreateChildHandles()
{
    for (TControl* child : controls_)
        child->CreateHandle(Handle());
    ApplyTabOrder();
    Realign();
}

void TControl::ApplyTabOrder()
{
    // The system's own idea of the order is the z-order: keep it the same.
    // Only windows out of place are moved: each move is messages and a trip
    // to the window server, and most children are created in order already.
    HWND after = nullptr;
    for (TControl* child : ControlsInTabOrder()) {
        const HWND window = child->Handle();
        if (!window)
            continue;
        if (GetWindow(window, GW_HWNDPREV) != after)
            SetWindowPos(window, after ? after : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        after = window;
    }
}

Color TControl::GetColor() const
{
    return parentColor_ && parent_ ? parent_->GetColor() : color_;
}

void TControl::SetColor(Color color)
{
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TControl::SetParentColor(bool on)
{
    parentColor_ = on;
    ColorChanged();
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

void TControl::SetParentFont(bool on)
{
    parentFont_ = on;
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
    // Controls on their parent's font share its handle: one font per window
    // instead of one per control.
    if (parentFont_ && parent_ && parent_->DrawsScaled() == DrawsScaled())
        return parent_->FontHandle();
    if (!fontHandle_)
        fontHandle_ = DrawsScaled() ? CreateFontFrom(GetFont(), Dpi()) : CreateScreenFont(GetFont(), Dpi());
    return fontHandle_.Get();
}

WindowClass TControl::ControlClass() const
{
    return OwnWindowClass("QuarrimondControl", CS_DBLCLKS, nullptr, nullptr);
}

DWORD TControl::Style() const
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    if (tabStop_)
        style |= WS_TABSTOP;
    if (AcceptsControls())
        style |= WS_CLIPCHILDREN;
    return style;
}

DWORD TControl::ExStyle() const
{
    // Tab and the arrow keys find the controls inside containers too.
    return AcceptsControls() ? WS_EX_CONTROLPARENT : 0;
}

void TControl::CreateHandle(HWND parentWindow)
{
    if (TForm* form = OwnerForm(); form && form != this && controlId_ == 0)
        controlId_ = form->NextControlId();
    const Rect r = ScreenBounds();
    CreateBoundWindow(ControlClass(), ExStyle(), caption_.c_str(), Style(), r.left, r.top, r.Width(), r.Height(),
                      parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)));
    if (!Handle())
        return;
    HandleCreated();
    CreateChildHandles();
    if (!hint_.empty())
        if (TForm* form = OwnerForm())
            form->RegisterHint(*this);
}

void TControl::Invalidate()
{
    if (Handle())
        InvalidateRect(Handle(), nullptr, FALSE);
}

void TControl::Repaint()
{
    // A hidden window is painted whole when it shows: drawing now is waste.
    if (Handle() && IsWindowVisible(Handle()))
        PaintNow();
}

void TControl::PaintNow()
{
    // Invalidating and then painting costs several trips to the system per
    // window under Wine; a window DC costs one.
    {
        WindowDC dc(Handle());
        PaintToScreen(dc.Get());
    }
    for (TControl* child : controls_)
        child->Repaint();
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

bool TControl::CanFocus() const
{
    if (!Handle() || !IsWindowVisible(Handle()))
        return false;
    for (HWND window = Handle(); window; window = GetParent(window))
        if (!IsWindowEnabled(window))
            return false;
    return true;
}

bool TControl::SetFocus()
{
    if (!CanFocus())
        return false;
    ::SetFocus(Handle());
    return Focused();
}

bool TControl::Focused() const
{
    return Handle() && GetFocus() == Handle();
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
    // The viewport origin is in screen pixels, where this window sits.
    const Rect screen = ScreenBounds();
    POINT old;
    OffsetViewportOrgEx(canvas.Handle(), -screen.left, -screen.top, &old);
    parent_->Paint(canvas);
    SetViewportOrgEx(canvas.Handle(), old.x, old.y, nullptr);
}

void TControl::PaintToScreen(HDC target)
{
    // One buffer for all controls, as large as the largest painted: one per
    // control would keep a bitmap of its size for its whole life. A paint
    // inside a paint draws into one of its own. Each paint starts from the
    // DC's own state, whatever the one before left.
    static BackBuffer shared;
    static bool sharedInUse = false;
    BackBuffer own;
    const bool useShared = !sharedInUse;
    BackBuffer& buffer = useShared ? shared : own;
    struct Lease {
        bool& inUse;
        bool held;
        ~Lease()
        {
            if (held)
                inUse = false;
        }
    } lease{sharedInUse, useShared};
    sharedInUse = true;
    // In the screen's pixels: the designed size at the window's resolution.
    RECT client{};
    GetClientRect(Handle(), &client);
    HDC dc = buffer.Prepare(target, client.right, client.bottom);
    const int state = SaveDC(dc);
    {
        // Only while painting: the transfer to the screen is pixel for pixel.
        const ScaledDrawing scaled(dc, DrawsScaled() ? Dpi() : 96);
        Canvas canvas(dc);
        Paint(canvas);
        // The focus shows only once the keyboard is in use, as in dialogs.
        if (IsPushButton() && Focused())
            if (TForm* form = OwnerForm(); form && form->FocusCuesShown()) {
                const int inset = std::min(3, std::min(Width(), Height()) / 8);
                RECT cue{inset, inset, Width() - inset, Height() - inset};
                DrawFocusRect(dc, &cue);
            }
    }
    RestoreDC(dc, state);
    buffer.Present(target, client.right, client.bottom);
}

void TControl::TrackMouseLeave()
{
    // Windows 95 has it only in the common controls, under another name.
    using TrackFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    static const auto track = [] {
        auto found = SystemFunction<TrackFunction>("user32.dll", "TrackMouseEvent");
        return found ? found : SystemFunction<TrackFunction>("comctl32.dll", "_TrackMouseEvent");
    }();
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, Handle(), 0};
    if (track)
        track(&request);
}

void TControl::MouseDown(int, int)
{
    pressed_ = true;
    tracking_ = true;
    SetCapture(Handle());
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
    if (GetCapture() == Handle())
        ReleaseCapture();
    Invalidate();
    if (click)
        Click();
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_NCPAINT:
        // Without a frame or scroll bars there is nothing outside the client
        // area: skip the system's drawing of it and the device context it takes.
        if (!HasNonClientParts(Handle()))
            return 0;
        break;
    case WM_PAINT: {
        PaintScope paint(Handle());
        PaintToScreen(paint.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintToScreen(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(ToDesign(GET_X_LPARAM(lParam)), ToDesign(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        if (!hint_.empty())
            if (TForm* form = OwnerForm())
                form->PointerOverHint(*this, wParam, lParam);
        if (!mouseInside_ && FollowsPointer()) {
            mouseInside_ = true;
            TrackMouseLeave();
            MouseEnter();
        }
        MouseMove(ToDesign(GET_X_LPARAM(lParam)), ToDesign(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        MouseLeave();
        return 0;
    case WM_LBUTTONUP:
        MouseUp(ToDesign(GET_X_LPARAM(lParam)), ToDesign(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle() && (tracking_ || pressed_)) {
            tracking_ = pressed_ = false;
            Invalidate();
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(LoadCursor(nullptr, cursor_ == CursorKind::crHandPoint ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (IsPushButton())
            Invalidate();
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && IsPushButton() && Focused()) {
            Click();
            return 0;
        }
        break;
    case WM_GETOBJECT:
        // Containers are what the system says they are; the drawn leaves say
        // what they show.
        if (!AcceptsControls())
            return AnswerAccessibleObject(Handle(), wParam, lParam);
        break;
    case WM_GETDLGCODE:
        // A drawn label is a static to the dialog manager: its mnemonic moves
        // the focus to the next control.
        return AcceptsControls() || tabStop_ ? 0 : DLGC_STATIC;
    default:
        if (message == AccessiblePressMessage() && message != 0) {
            if (Enabled() && Visible())
                Click();
            return 0;
        }
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

AccessibleFacts TControl::AccessibleDescription()
{
    AccessibleFacts facts;
    facts.role = IsPushButton() ? AccessibleRole::PushButton
        : IsLabel()             ? AccessibleRole::StaticText
                                : AccessibleRole::Graphic;
    facts.pressable = IsPushButton();
    // A hint says more of a picture than a caption near it.
    facts.name = !caption_.empty() ? caption_ : !hint_.empty() ? hint_ : LabelName();
    facts.unavailable = !enabled_;
    facts.focusable = tabStop_;
    facts.focused = Focused();
    return facts;
}

namespace {

Rect ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

void CollectLabels(const TControl& control, std::vector<LabelCandidate>& labels)
{
    for (const TControl* child : control.Controls()) {
        if (!child->Visible() || !child->HandleAllocated())
            continue;
        if (child->IsLabel())
            labels.push_back({ScreenRect(child->Handle()), child->Caption()});
        CollectLabels(*child, labels);
    }
}

} // namespace

std::string TControl::LabelName() const
{
    if (!HandleAllocated())
        return {};
    const TControl* top = this;
    while (top->Parent())
        top = top->Parent();
    std::vector<LabelCandidate> labels;
    CollectLabels(*top, labels);
    const int index = NamingLabel(ScreenRect(Handle()), labels);
    return index >= 0 ? labels[index].caption : std::string();
}

} // namespace qm
