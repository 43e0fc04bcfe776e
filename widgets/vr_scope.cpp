#include "widgets/vr_scope.h"

namespace qm {

void TVrChannel::SetColor(Color color)
{
    color_ = color;
    scope_.ChannelChanged();
}

void TVrChannel::SetWidth(int width)
{
    width_ = width;
    scope_.ChannelChanged();
}

void TVrChannel::SetStyle(ScopeStyle style)
{
    style_ = style;
    scope_.ChannelChanged();
}

TVrScope::TVrScope() : timer_(std::make_unique<TVrTimer>())
{
    SetBounds(Rect::FromBounds(0, 0, 249, 137));
    SetColor(clBlack);
    timer_->SetEnabled(false);
    timer_->SetInterval(100);
    timer_->SetOnTimer([this](Component&) { Tick(); });
}

TVrScope::~TVrScope()
{
    timer_.reset(); // stops the thread before the histories go
}

bool TVrScope::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "Interval")
        SetInterval(value.AsInt());
    else if (name == "Threaded")
        SetThreaded(value.AsBool());
    else if (name == "Active")
        active_ = value.AsBool(); // takes effect once loaded
    else if (name == "MinValue")
        SetMinValue(value.AsInt());
    else if (name == "MaxValue")
        SetMaxValue(value.AsInt());
    else if (name == "GridSize")
        SetGridSize(value.AsInt());
    else if (name == "GridLineWidth")
        SetGridLineWidth(value.AsInt());
    else if (name == "GridColor")
        SetGridColor(ParseColor(value));
    else if (name == "BaseOffset")
        SetBaseOffset(value.AsInt());
    else if (name == "BaseColor")
        SetBaseColor(ParseColor(value));
    else if (name == "Frequency")
        SetFrequency(value.AsInt());
    else if (name == "BufferSize")
        SetBufferSize(value.AsInt());
    else if (name == "AnimateGrid")
        SetAnimateGrid(value.AsBool());
    else if (name == "Channels") {
        // The number of channels, each with the defaults.
        for (int i = value.AsInt(); i > 0; --i)
            AddChannel();
    } else
        return TVrGraphicImageControl::ApplyProperty(name, value);
    return true;
}

bool TVrScope::BindEvent(std::string_view event, const HandlerTable& handlers, std::string_view handler)
{
    if (event != "OnNeedData")
        return TVrGraphicImageControl::BindEvent(event, handlers, handler);
    OnNeedData = handlers.Get<void(Component&, int, int&)>(handler);
    return true;
}

void TVrScope::Loaded()
{
    TVrGraphicImageControl::Loaded();
    timer_->SetEnabled(active_);
}

void TVrScope::SetActive(bool on)
{
    active_ = on;
    if (!IsLoading())
        timer_->SetEnabled(on);
}

void TVrScope::SetMinValue(int value)
{
    if (value < -999999999 || value > 999999999 || value >= scale_.maxValue || value == scale_.minValue)
        return;
    scale_.minValue = value;
    for (auto& channel : channels_)
        channel->History().Clear();
    UpdateControlCanvas();
}

void TVrScope::SetMaxValue(int value)
{
    if (value < -999999999 || value > 999999999 || value <= scale_.minValue || value == scale_.maxValue)
        return;
    scale_.maxValue = value;
    for (auto& channel : channels_)
        channel->History().Clear();
    UpdateControlCanvas();
}

void TVrScope::SetGridSize(int size)
{
    if (size < 1)
        return;
    scale_.gridSize = size;
    if (gridOffset_ >= size)
        gridOffset_ = 0;
    UpdateControlCanvas();
}

void TVrScope::SetGridLineWidth(int width)
{
    gridLineWidth_ = width;
    UpdateControlCanvas();
}

void TVrScope::SetGridColor(Color color)
{
    gridColor_ = color;
    UpdateControlCanvas();
}

void TVrScope::SetBaseOffset(int percent)
{
    if (percent < 0 || percent > 100)
        return;
    scale_.baseOffset = percent;
    UpdateControlCanvas();
}

void TVrScope::SetBaseColor(Color color)
{
    baseColor_ = color;
    UpdateControlCanvas();
}

void TVrScope::SetFrequency(int pixels)
{
    if (pixels < 1)
        return;
    scale_.frequency = pixels;
    UpdateControlCanvas();
}

TVrChannel& TVrScope::AddChannel()
{
    channels_.push_back(std::make_unique<TVrChannel>(*this));
    UpdateControlCanvas();
    return *channels_.back();
}

void TVrScope::Tick()
{
    if (animateGrid_) {
        gridOffset_ += scale_.frequency;
        if (gridOffset_ >= scale_.gridSize)
            gridOffset_ -= scale_.gridSize;
    }
    for (int i = 0; i < ChannelCount(); ++i) {
        int value = scale_.minValue;
        if (OnNeedData)
            OnNeedData(*this, i, value);
        value = value < scale_.minValue ? scale_.minValue : (value > scale_.maxValue ? scale_.maxValue : value);
        channels_[i]->History().Add(value, bufferSize_);
    }
    if (!painting_)
        Repaint();
}

void TVrScope::PaintContents(Canvas& canvas)
{
    painting_ = true;
    const int width = Width(), height = Height();
    const int baseY = ScopeBaseY(height, scale_.baseOffset);
    HDC dc = canvas.Handle();
    {
        // One call per kind of line: each GDI call is a round trip on some systems.
        std::vector<POINT> points;
        std::vector<DWORD> counts;
        for (int x : ScopeVerticalGrid(width, scale_.gridSize, gridOffset_)) {
            points.push_back({x, 0});
            points.push_back({x, height});
            counts.push_back(2);
        }
        for (int y : ScopeHorizontalGrid(height, baseY, scale_.gridSize)) {
            points.push_back({0, y});
            points.push_back({width, y});
            counts.push_back(2);
        }
        Pen gridPen(CreatePen(PS_SOLID, gridLineWidth_, ToColorRef(gridColor_)));
        SelectGuard select(dc, gridPen.Get());
        PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
    }
    canvas.Line(0, baseY, width, baseY, baseColor_);
    SetROP2(dc, R2_COPYPEN);
    for (int i = ChannelCount() - 1; i >= 0; --i) {
        const TVrChannel& channel = *channels_[i];
        std::vector<ScopePoint> trace = ScopeTrace(channel.History(), width, height, scale_, channel.Style());
        std::vector<POINT> points;
        points.reserve(trace.size());
        for (const ScopePoint& p : trace)
            points.push_back({p.x, p.y});
        Pen pen(CreatePen(PS_SOLID, channel.Width(), ToColorRef(channel.GetColor())));
        SelectGuard select(dc, pen.Get());
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    painting_ = false;
}

} // namespace qm
