#include "components/component_classes.h"

#include "components/auto_run.h"
#include "components/bmd_thread.h"
#include "components/form_storage.h"
#include "components/shutdown.h"
#include "components/wm_wizard.h"

namespace qm {

void RegisterComponentClasses(ClassRegistry& registry)
{
    registry.Register<TBMDThread>("TBMDThread");
    registry.Register<TBMDThreadGroup>("TBMDThreadGroup");
    registry.Register<TabfAutoRun>("TabfAutoRun");
    registry.Register<TabfShutdown>("TabfShutdown");
    registry.Register<TFormStorage>("TFormStorage");
    registry.Register<TwmWizard>("TwmWizard");
    registry.Register<TwmInteriorWizardPage>("TwmInteriorWizardPage");
    registry.Register<TwmWelcomeWizardPage>("TwmWelcomeWizardPage");
}

} // namespace qm
