#pragma once
#include "framework/control.h"
#include "platform/device_context.h"

namespace qm {

// A picture from the executable's resources. Transparent pictures let the
// parent show through where they have their bottom-left pixel's colour.
class TImage : public TControl {
public:
    TImage();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    // A picture that does something when clicked is a button to the keyboard
    // and to screen readers.
    bool IsPushButton() const override { return static_cast<bool>(OnClick); }

    // The picture's resource name.
    const std::string& Picture() const { return pictureName_; }
    void SetPicture(const std::string& resourceName);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool HasPicture() const { return static_cast<bool>(picture_) || static_cast<bool>(icon_); }
    // Shows an icon instead of the picture (the image owns it); null clears both.
    void SetIcon(HICON icon);

protected:
    void Paint(Canvas& canvas) override;

private:
    void FitToPicture();
    Bitmap picture_;
    IconHandle icon_;
    std::string pictureName_;
    bool autoSize_ = false;
};

} // namespace qm
