#pragma once
#include "framework/control.h"
#include "framework/gdi.h"

namespace qm {

// A picture from the executable's resources. Transparent pictures let the
// parent show through where they have their bottom-left pixel's colour.
class TImage : public TControl {
public:
    TImage();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    void SetPicture(const std::string& resourceName);
    bool HasPicture() const { return static_cast<bool>(picture_); }

protected:
    void Paint(Canvas& canvas) override;

private:
    Bitmap picture_;
    bool autoSize_ = false;
};

} // namespace qm
