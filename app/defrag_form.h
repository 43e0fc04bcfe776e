#pragma once
#include "framework/form.h"

namespace qm {

// "Full RAM Defrag": information only, closed with its close box.
class TDefragForm : public TForm {
public:
    using TForm::TForm;
    const char* ClassName() const override { return "TDefragForm"; }
    bool MakesControlsWhenShown() const override { return true; }
};

} // namespace qm
