#pragma once
#include "framework/form.h"

namespace qm {

// "Shares Monitor": says what the feature is and that it is not part of this
// program. A click on the text closes it.
class TShareForm : public TForm {
public:
    explicit TShareForm(Application& application);
    const char* ClassName() const override { return "TShareForm"; }
    bool MakesControlsWhenShown() const override { return true; }
    void HTMLStaticText1Click(Component& sender);
};

} // namespace qm
