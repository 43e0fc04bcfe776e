#pragma once
// Formatted text with bold runs, line breaks and links, given as a small
// subset of HTML.
#include "widgets/vr_graphic_control.h"

namespace qm {

class THTMLStaticText : public TVrGraphicImageControl {
public:
    THTMLStaticText();
    bool ApplyProperty(std::string_view name, const FormValue& value) override;
    const std::string& HTMLText() const { return html_; }

protected:
    void PaintContents(Canvas& canvas) override;

private:
    std::string html_;
};

} // namespace qm
