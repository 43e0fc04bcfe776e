#pragma once
// A slider with a bitmap thumb, a bevelled gutter and tick marks, moved by
// the mouse and the arrow keys. The position may be read from any thread.
#include <atomic>

#include "widgets/bevel_layout.h"
#include "widgets/track_geometry.h"
#include "widgets/vr_bitmap_list.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum TVrTrackBarOption { toActiveClick, toMouseClip, toHandPoint, toFixedPoints, toThumbOpaque };

class TVrTrackBar : public TVrGraphicImageControl {
public:
    TVrTrackBar();
    ~TVrTrackBar() override;
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    AccessibleFacts AccessibleDescription() override;
    void Loaded() override;

    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Position() const { return position_.load(); }
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    TVrOrientation Orientation() const { return orientation_; }
    void SetOrientation(TVrOrientation orientation);
    TVrProgressStyle ProgressStyle() const { return style_; }
    bool HasOption(TVrTrackBarOption option) const { return (options_ >> option) & 1; }
    int ThumbStates() const { return thumbStates_; }
    void SetThumbStates(int states);
    void SetBitmapListName(const std::string& name);
    const std::string& BitmapListName() const { return bitmapListName_; }
    void SetThumbImageIndex(int index);
    int ThumbImageIndex() const { return thumbImageIndex_; }

    // The model of the control as it is now, for painting and hit tests.
    TrackGeometry Geometry() const;
    Rect ThumbRect() const { return Geometry().Thumb(Position()); }

    NotifyEvent OnChange;

protected:
    void PaintContents(Canvas& canvas) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MouseDown(int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    bool FollowsPointer() const override { return true; }
    void MouseLeave() override;

private:
    void LoadThumb();
    void ListChanged(bool alive);
    void PaintTicks(Canvas& canvas, const TrackGeometry& geometry);
    void PaintThumb(Canvas& canvas, const TrackGeometry& geometry);
    bool KeyDown(WPARAM key);
    void StopDragging();

    int minValue_ = 0, maxValue_ = 100;
    std::atomic<int> position_{0}; // the optimization reads it from its thread
    TVrOrientation orientation_ = TVrOrientation::voHorizontal;
    TVrProgressStyle style_ = TVrProgressStyle::psBottomLeft;
    int options_ = 1 << toActiveClick | 1 << toMouseClip | 1 << toHandPoint | 1 << toThumbOpaque;
    int frequency_ = 10;
    int borderWidth_ = 10;
    int gutterWidth_ = 9;
    Color gutterColor_ = clBlack;
    TVrBevel gutterBevel_;
    TVrTickMarks tickMarks_ = TVrTickMarks::tmBoth;
    Color tickColor_ = clBlack;
    int scaleOffset_ = 5;
    Color focusColor_ = clBlack;
    int focusOffset_ = 0;
    int thumbStates_ = 1;
    std::string bitmapListName_;
    TVrBitmapList* bitmapList_ = nullptr;
    int backImageIndex_ = -1, thumbImageIndex_ = -1;

    Bitmap builtInThumb_;
    HBITMAP thumb_ = nullptr; // the built-in thumb or one of the list's
    SIZE thumbCell_{9, 17};
    bool dragging_ = false;
    int grabOffset_ = 0;
    bool hover_ = false;
    bool clipped_ = false;
};

} // namespace qm
