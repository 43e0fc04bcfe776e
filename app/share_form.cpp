#include "app/share_form.h"

namespace qm {

TShareForm::TShareForm(Application& application) : TForm(application)
{
    Handler("HTMLStaticText1Click", &TShareForm::HTMLStaticText1Click);
}

void TShareForm::HTMLStaticText1Click(Component&)
{
    SetModalResult(mrOk);
}

} // namespace qm
