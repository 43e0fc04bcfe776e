#pragma once
#include "framework/form.h"

namespace qm {

// The Optimization Wizard's window. Its pages come with the wizard itself;
// until then it opens empty.
class TForm1 : public TForm {
public:
    using TForm::TForm;
    const char* ClassName() const override { return "TForm1"; }
};

} // namespace qm
