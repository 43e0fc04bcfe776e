#pragma once
// A push button drawn as a face over an offset shadow; pressing moves the
// face toward the shadow.
#include "widgets/shadow_button_geometry.h"
#include "widgets/vr_graphic_control.h"

namespace qm {

enum class ShadowButtonStyle { ssRectangle, ssRoundRect };

class TVrShadowButton : public TVrGraphicImageControl {
public:
    TVrShadowButton();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool IsPushButton() const override { return true; }
    // Refused for 2 or less.
    void SetDepth(int depth);
    int Depth() const { return depth_; }
    const Rect& FaceRect() const { return face_; }

protected:
    void PaintContents(Canvas& canvas) override;
    void MouseDown(int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y) override;

private:
    Color brush_ = clBlack;
    Color pen_ = clLime;
    int penWidth_ = 1;
    int depth_ = 4, depthAdjust_ = 2;
    Color shadowColor_ = clBtnShadow, shadowOutline_ = clBtnShadow;
    ShadowButtonStyle style_ = ShadowButtonStyle::ssRoundRect;
    ShadowDirection direction_ = ShadowDirection::BottomRight;
    int textAlign_ = 1; // vtaCenter
    Color disabledText_ = clInactiveCaption;
    Rect face_;
    bool tracking_ = false, pressed_ = false;
};

} // namespace qm
