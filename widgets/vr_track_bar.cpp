#include "widgets/vr_track_bar.h"

#include <windowsx.h>

#include "framework/resources.h"
#include "platform/device_context.h"

namespace qm {

namespace {

constexpr std::string_view kOrientationNames[] = {"voVertical", "voHorizontal"};
constexpr std::string_view kStyleNames[] = {"psBottomLeft", "psTopRight"};
constexpr std::string_view kOptionNames[] = {"toActiveClick", "toMouseClip", "toHandPoint", "toFixedPoints",
                                             "toThumbOpaque"};
constexpr std::string_view kTickMarkNames[] = {"tmNone", "tmBoth", "tmBottomRight", "tmTopLeft"};

void DrawLine(Canvas& canvas, const TickLine& line, Color color)
{
    canvas.Line(line.x1, line.y1, line.x2, line.y2, color);
}

} // namespace

TVrTrackBar::TVrTrackBar()
{
    SetBounds(Rect::FromBounds(0, 0, 175, 45));
    SetTabStop(false);
    gutterBevel_.outerStyle = BevelStyle::Lowered;
    gutterBevel_.innerStyle = BevelStyle::None;
    gutterBevel_.outerOutline = BevelOutline::None;
    gutterBevel_.innerOutline = BevelOutline::None;
    gutterBevel_.outerSpace = 0;
    gutterBevel_.innerSpace = 0;
    LoadThumb();
}

TVrTrackBar::~TVrTrackBar()
{
    if (clipped_)
        ClipCursor(nullptr);
    if (bitmapList_)
        bitmapList_->RemoveListener(this);
}

const TypeInfo& TVrTrackBar::StaticType()
{
    using T = TVrTrackBar;
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<T, &T::MinValue, &T::SetMinValue>("MinValue"),
        IntProperty<T, &T::MaxValue, &T::SetMaxValue>("MaxValue"),
        IntProperty<T, &T::Position, &T::SetPosition>("Position"),
        EnumProperty<T, &T::Orientation, &T::SetOrientation>("Orientation", kOrientationNames),
        EnumProperty<T, &T::style_, StoreAndRepaint<&T::style_>>("Style", kStyleNames),
        SetProperty<T, &T::options_, StoreAndRepaint<&T::options_>>("Options", kOptionNames),
        IntProperty<T, &T::frequency_, StoreAndRepaint<&T::frequency_>>("Frequency"),
        IntProperty<T, &T::borderWidth_, StoreAndRepaint<&T::borderWidth_>>("BorderWidth"),
        IntProperty<T, &T::gutterWidth_, StoreAndRepaint<&T::gutterWidth_>>("GutterWidth"),
        ColorProperty<T, &T::gutterColor_, StoreAndRepaint<&T::gutterColor_>>("GutterColor"),
        ObjectProperty<T, TVrBevel, [](T& bar, bool) { return &bar.gutterBevel_; },
                       [](T& bar) { bar.UpdateControlCanvas(); }>("GutterBevel"),
        EnumProperty<T, &T::tickMarks_, StoreAndRepaint<&T::tickMarks_>>("TickMarks", kTickMarkNames),
        ColorProperty<T, &T::tickColor_, StoreAndRepaint<&T::tickColor_>>("TickColor"),
        IntProperty<T, &T::scaleOffset_, StoreAndRepaint<&T::scaleOffset_>>("ScaleOffset"),
        ColorProperty<T, &T::focusColor_, StoreAndRepaint<&T::focusColor_>>("FocusColor"),
        IntProperty<T, &T::focusOffset_, StoreAndRepaint<&T::focusOffset_>>("FocusOffset"),
        IntProperty<T, &T::ThumbStates, &T::SetThumbStates>("ThumbStates"),
        ReferenceProperty<T, &T::BitmapListName, &T::SetBitmapListName>("BitmapList"),
        IntProperty<T, &T::backImageIndex_, StoreAndRepaint<&T::backImageIndex_>>("BackImageIndex"),
        IntProperty<T, &T::ThumbImageIndex, &T::SetThumbImageIndex>("ThumbImageIndex"),
    };
    static constexpr EventInfo kEvents[] = {MakeEvent<T, &T::OnChange>("OnChange")};
    static constexpr TypeInfo kType =
        ComponentType<T>("TVrTrackBar", &TVrGraphicImageControl::StaticType, kProperties, kEvents);
    return kType;
}

void TVrTrackBar::Loaded()
{
    TVrGraphicImageControl::Loaded();
    if (!bitmapListName_.empty())
        SetBitmapListName(bitmapListName_);
}

void TVrTrackBar::SetMinValue(int value)
{
    minValue_ = value;
    if (Position() < value)
        SetPosition(value);
    else
        UpdateControlCanvas();
}

void TVrTrackBar::SetMaxValue(int value)
{
    maxValue_ = value;
    if (Position() > value)
        SetPosition(value);
    else
        UpdateControlCanvas();
}

void TVrTrackBar::SetPosition(int value)
{
    value = ClampPosition(value, minValue_, maxValue_);
    if (value == Position())
        return;
    position_ = value;
    UpdateControlCanvas();
    ValueChanged();
    if (OnChange)
        OnChange(*this);
}

void TVrTrackBar::SetOrientation(TVrOrientation orientation)
{
    orientation_ = orientation;
    LoadThumb(); // the built-in thumb lies along the bar
    UpdateControlCanvas();
}

void TVrTrackBar::SetThumbStates(int states)
{
    thumbStates_ = states < 1 ? 1 : states > 4 ? 4 : states;
    LoadThumb();
    UpdateControlCanvas();
}

void TVrTrackBar::SetBitmapListName(const std::string& name)
{
    bitmapListName_ = name;
    if (IsLoading())
        return;
    if (bitmapList_)
        bitmapList_->RemoveListener(this);
    bitmapList_ = name.empty() ? nullptr : dynamic_cast<TVrBitmapList*>(ResolveReference(name));
    if (bitmapList_)
        bitmapList_->AddListener(this, [this](bool alive) { ListChanged(alive); });
    LoadThumb();
    UpdateControlCanvas();
}

void TVrTrackBar::SetThumbImageIndex(int index)
{
    thumbImageIndex_ = index;
    LoadThumb();
    UpdateControlCanvas();
}

void TVrTrackBar::ListChanged(bool alive)
{
    if (!alive) {
        bitmapList_ = nullptr;
        bitmapListName_.clear();
    }
    LoadThumb();
    UpdateControlCanvas();
}

void TVrTrackBar::LoadThumb()
{
    thumb_ = bitmapList_ ? bitmapList_->Picture(thumbImageIndex_) : nullptr;
    if (!thumb_) {
        const bool horizontal = orientation_ == TVrOrientation::voHorizontal;
        builtInThumb_ = LoadBitmapResource(horizontal ? "VRTB_HORI" : "VRTB_VERT");
        thumb_ = builtInThumb_.Get();
    }
    const SIZE size = thumb_ ? BitmapSize(thumb_) : SIZE{9, 17};
    thumbCell_ = {size.cx / thumbStates_, size.cy};
}

TrackGeometry TVrTrackBar::Geometry() const
{
    TrackGeometry g;
    g.width = Width();
    g.height = Height();
    g.borderWidth = borderWidth_;
    g.gutterWidth = gutterWidth_;
    g.thumbWidth = thumbCell_.cx;
    g.thumbHeight = thumbCell_.cy;
    g.orientation = orientation_;
    g.style = style_;
    g.minValue = minValue_;
    g.maxValue = maxValue_;
    g.frequency = frequency_;
    g.fixedPoints = HasOption(toFixedPoints);
    g.scaleOffset = scaleOffset_;
    return g;
}

void TVrTrackBar::PaintContents(Canvas& canvas)
{
    const TrackGeometry geometry = Geometry();
    if (HBITMAP back = bitmapList_ ? bitmapList_->Picture(backImageIndex_) : nullptr) {
        const SIZE size = BitmapSize(back);
        MemoryDC source(canvas.Handle());
        SelectGuard select(source.Get(), back);
        StretchBlt(canvas.Handle(), 0, 0, Width(), Height(), source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    }
    PaintTicks(canvas, geometry);
    const Rect gutter = geometry.Gutter();
    if (gutterBevel_.visible) {
        // The frames go round the gutter, which keeps its own size.
        Rect inside;
        LayoutBevel(gutterBevel_, gutter, inside);
        const int thickness = inside.left - gutter.left;
        for (const BevelFrame& frame : LayoutBevel(gutterBevel_, gutter.Inflated(thickness, thickness), inside))
            canvas.Frame3D(frame.bounds, frame.topLeft, frame.bottomRight, frame.width);
        canvas.FillRect(gutter, gutterColor_);
    }
    if (Focused() && focusOffset_ >= 0)
        canvas.FrameRect(ClientRect().Inflated(-focusOffset_, -focusOffset_), focusColor_);
    PaintThumb(canvas, geometry);
}

void TVrTrackBar::PaintTicks(Canvas& canvas, const TrackGeometry& geometry)
{
    if (tickMarks_ == TVrTickMarks::tmBoth || tickMarks_ == TVrTickMarks::tmTopLeft)
        for (const TickLine& line : TickLines(geometry, true))
            DrawLine(canvas, line, tickColor_);
    if (tickMarks_ == TVrTickMarks::tmBoth || tickMarks_ == TVrTickMarks::tmBottomRight)
        for (const TickLine& line : TickLines(geometry, false))
            DrawLine(canvas, line, tickColor_);
}

void TVrTrackBar::PaintThumb(Canvas& canvas, const TrackGeometry& geometry)
{
    if (!thumb_)
        return;
    int cell = !Enabled() ? 1 : dragging_ ? 2 : hover_ ? 3 : 0;
    if (cell >= thumbStates_)
        cell = 0;
    const Rect r = geometry.Thumb(Position());
    const int cx = thumbCell_.cx, cy = thumbCell_.cy;
    MemoryDC source(canvas.Handle());
    SelectGuard select(source.Get(), thumb_);
    if (HasOption(toThumbOpaque)) {
        BitBlt(canvas.Handle(), r.left, r.top, cx, cy, source.Get(), cell * cx, 0, SRCCOPY);
        return;
    }
    // The bitmap's own see-through colour: its bottom-left pixel.
    const COLORREF key = GetPixel(source.Get(), 0, cy - 1);
    canvas.DrawKeyed(Rect::FromBounds(r.left, r.top, cx, cy), source.Get(), Rect::FromBounds(cell * cx, 0, cx, cy),
                     key);
}

void TVrTrackBar::MouseDown(int x, int y)
{
    if (TabStop())
        SetFocus();
    const TrackGeometry geometry = Geometry();
    const Rect thumb = geometry.Thumb(Position());
    const bool horizontal = geometry.Horizontal();
    if (thumb.Contains(x, y)) {
        dragging_ = true;
        grabOffset_ = horizontal ? x - thumb.left : y - thumb.top;
        SetCapture(Handle());
        if (HasOption(toMouseClip)) {
            RECT client;
            GetClientRect(Handle(), &client);
            MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
            ClipCursor(&client);
            clipped_ = true;
        }
        UpdateControlCanvas();
    } else if (HasOption(toActiveClick)) {
        const int centre = horizontal ? x - thumbCell_.cx / 2 : y - thumbCell_.cy / 2;
        SetPosition(geometry.ValueForThumbAt(centre));
    }
}

void TVrTrackBar::MouseMove(int x, int y)
{
    const TrackGeometry geometry = Geometry();
    if (dragging_) {
        SetPosition(geometry.ValueForThumbAt((geometry.Horizontal() ? x : y) - grabOffset_));
        return;
    }
    const bool over = geometry.Thumb(Position()).Contains(x, y);
    if (over != hover_) {
        hover_ = over;
        UpdateControlCanvas();
    }
}

void TVrTrackBar::MouseUp(int, int)
{
    StopDragging();
}

void TVrTrackBar::MouseLeave()
{
    if (hover_) {
        hover_ = false;
        UpdateControlCanvas();
    }
}

void TVrTrackBar::StopDragging()
{
    const bool was = dragging_;
    dragging_ = false;
    if (clipped_) {
        ClipCursor(nullptr);
        clipped_ = false;
    }
    if (GetCapture() == Handle())
        ReleaseCapture();
    if (was)
        UpdateControlCanvas();
}

bool TVrTrackBar::KeyDown(WPARAM key)
{
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    TrackKey trackKey;
    switch (key) {
    case VK_HOME:
        trackKey = TrackKey::Home;
        break;
    case VK_END:
        trackKey = TrackKey::End;
        break;
    case VK_LEFT:
        trackKey = TrackKey::Left;
        break;
    case VK_RIGHT:
        trackKey = TrackKey::Right;
        break;
    case VK_UP:
        trackKey = TrackKey::Up;
        break;
    case VK_DOWN:
        trackKey = TrackKey::Down;
        break;
    default:
        return false;
    }
    SetPosition(PositionAfterKey(Geometry(), Position(), trackKey));
    return true;
}

LRESULT TVrTrackBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (KeyDown(wParam))
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        UpdateControlCanvas();
        break;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle())
            StopDragging();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && HasOption(toHandPoint)) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(Handle(), &at);
            if (ThumbRect().Contains(ToDesign(at.x), ToDesign(at.y))) {
                ::SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return TVrGraphicImageControl::HandleMessage(message, wParam, lParam);
}

AccessibleFacts TVrTrackBar::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::Slider;
    facts.value = std::to_string(Position());
    return facts;
}

} // namespace qm
