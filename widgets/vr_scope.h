#pragma once
// An oscilloscope-style strip chart: on each tick of its own timer it asks
// for one value per channel and scrolls the traces and grid left.
#include <functional>
#include <memory>
#include <vector>

#include "widgets/scope_geometry.h"
#include "widgets/vr_graphic_control.h"
#include "widgets/vr_timer.h"

namespace qm {

class TVrScope;

class TVrChannel {
public:
    explicit TVrChannel(TVrScope& scope) : scope_(scope) {}
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    int Width() const { return width_; }
    void SetWidth(int width);
    ScopeStyle Style() const { return style_; }
    void SetStyle(ScopeStyle style);
    ScopeHistory& History() { return history_; }
    const ScopeHistory& History() const { return history_; }

private:
    TVrScope& scope_;
    Color color_ = clYellow;
    int width_ = 1;
    ScopeStyle style_ = ScopeStyle::Line;
    ScopeHistory history_;
};

using ScopeNeedDataEvent = std::function<void(Component& sender, int channel, int& value)>;

class TVrScope : public TVrGraphicImageControl {
public:
    TVrScope();
    ~TVrScope() override;

    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;
    void Loaded() override;

    int Interval() const { return static_cast<int>(timer_->Interval()); }
    void SetInterval(int ms) { timer_->SetInterval(static_cast<std::uint32_t>(ms)); }
    bool Threaded() const { return timer_->GetTimerType() == TimerType::ttThread; }
    void SetThreaded(bool on) { timer_->SetTimerType(on ? TimerType::ttThread : TimerType::ttSystem); }
    bool Active() const { return active_; }
    void SetActive(bool on);
    int MinValue() const { return scale_.minValue; }
    int MaxValue() const { return scale_.maxValue; }
    // Accepted only while MinValue stays below MaxValue; empties every history.
    void SetMinValue(int value);
    void SetMaxValue(int value);
    int GridSize() const { return scale_.gridSize; }
    void SetGridSize(int size);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    Color GridColor() const { return gridColor_; }
    void SetGridColor(Color color);
    int BaseOffset() const { return scale_.baseOffset; }
    void SetBaseOffset(int percent);
    Color BaseColor() const { return baseColor_; }
    void SetBaseColor(Color color);
    int Frequency() const { return scale_.frequency; }
    void SetFrequency(int pixels);
    void SetBufferSize(int samples) { bufferSize_ = samples; }
    int BufferSize() const { return bufferSize_; }
    bool AnimateGrid() const { return animateGrid_; }
    void SetAnimateGrid(bool on) { animateGrid_ = on; }
    int GridOffset() const { return gridOffset_; }

    TVrChannel& AddChannel();
    int ChannelCount() const { return static_cast<int>(channels_.size()); }
    // Adds channels with the defaults, or drops the last ones, to have `count`.
    void SetChannelCount(int count);
    TVrChannel& Channel(int index) { return *channels_.at(index); }

    ScopeNeedDataEvent OnNeedData;

    // One tick of the internal timer: scroll, sample every channel, repaint.
    void Tick();
    void ChannelChanged() { UpdateControlCanvas(); }

protected:
    void PaintContents(Canvas& canvas) override;

private:
    std::unique_ptr<TVrTimer> timer_;
    std::vector<std::unique_ptr<TVrChannel>> channels_;
    ScopeScale scale_;
    int gridLineWidth_ = 1;
    Color gridColor_ = clGreen;
    Color baseColor_ = clLime;
    int bufferSize_ = 999;
    bool animateGrid_ = true;
    bool active_ = false;
    int gridOffset_ = 0;
    bool painting_ = false;
};

} // namespace qm
