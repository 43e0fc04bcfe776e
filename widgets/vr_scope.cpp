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

const TypeInfo& TVrScope::StaticType()
{
    static constexpr PropertyInfo kProperties[] = {
        IntProperty<TVrScope, &TVrScope::Interval, &TVrScope::SetInterval>("Interval"),
        BoolProperty<TVrScope, &TVrScope::Threaded, &TVrScope::SetThreaded>("Threaded"),
        BoolProperty<TVrScope, &TVrScope::Active, &TVrScope::SetActive>("Active"),
        IntProperty<TVrScope, &TVrScope::MinValue, &TVrScope::SetMinValue>("MinValue"),
        IntProperty<TVrScope, &TVrScope::MaxValue, &TVrScope::SetMaxValue>("MaxValue"),
        IntProperty<TVrScope, &TVrScope::GridSize, &TVrScope::SetGridSize>("GridSize"),
        IntProperty<TVrScope, &TVrScope::GridLineWidth, &TVrScope::SetGridLineWidth>("GridLineWidth"),
        ColorProperty<TVrScope, &TVrScope::GridColor, &TVrScope::SetGridColor>("GridColor"),
        IntProperty<TVrScope, &TVrScope::BaseOffset, &TVrScope::SetBaseOffset>("BaseOffset"),
        ColorProperty<TVrScope, &TVrScope::BaseColor, &TVrScope::SetBaseColor>("BaseColor"),
        IntProperty<TVrScope, &TVrScope::Frequency, &TVrScope::SetFrequency>("Frequency"),
        IntProperty<TVrScope, &TVrScope::BufferSize, &TVrScope::SetBufferSize>("BufferSize"),
        BoolProperty<TVrScope, &TVrScope::AnimateGrid, &TVrScope::SetAnimateGrid>("AnimateGrid"),
        IntProperty<TVrScope, &TVrScope::ChannelCount, &TVrScope::SetChannelCount>("Channels"),
    };
    static constexpr EventInfo kEvents[] = {
        MakeEvent<TVrScope, &TVrScope::OnNeedData>("OnNeedData"),
    };
    static constexpr TypeInfo kType =
        ComponentType<TVrScope>("TVrScope", &TVrGraphicImageControl::StaticType, kProperties, kEvents);
    return kType;
}

void TVrScope::SetChannelCount(int count)
{
    while (ChannelCount() < count)
        AddChannel();
    while (ChannelCount() > count && count >= 0)
        channels_.pop_back();
    UpdateControlCanvas();
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
    if (ChannelCount() > 0)
        ValueChanged();
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

AccessibleFacts TVrScope::AccessibleDescription()
{
    AccessibleFacts facts = TControl::AccessibleDescription();
    facts.role = AccessibleRole::Chart;
    // The newest sample of the first trace, as a share of the scale.
    if (ChannelCount() > 0 && channels_[0]->History().Count() > 0) {
        const long long range = static_cast<long long>(scale_.maxValue) - scale_.minValue;
        const long long sample = channels_[0]->History().At(0);
        const long long percent = range > 0 ? (sample - scale_.minValue) * 100 / range : 0;
        facts.value = std::to_string(percent) + "%";
    }
    return facts;
}

} // namespace qm
