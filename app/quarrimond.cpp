#include "app/quarrimond.h"

#include "app/app_classes.h"
#include "app/defrag_form.h"
#include "app/main_form.h"
#include "app/share_form.h"
#include "optimizer/wizard_form.h"

namespace qm {

void CreateQuarrimondWindows(Application& application)
{
    // The one-instance guard builds its names from the title: set it first.
    application.SetTitle("Quarrimond");
    application.SetHelpFile("quarrim.chm");
    RegisterAppClasses(application.Classes());
    application.CreateForm<TMainForm>();
    application.CreateForm<TForm1>();
    application.CreateForm<TShareForm>();
    application.CreateForm<TDefragForm>();
}

} // namespace qm
