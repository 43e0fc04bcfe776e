#include "app/app_classes.h"

#include "app/application_properties.h"
#include "app/cool_tray_icon.h"
#include "app/flat_hint.h"
#include "app/form_storage.h"
#include "app/one_instance.h"
#include "app/transparent_skin.h"
#include "sysinfo/msysteminfo.h"
#include "widgets/widget_classes.h"

namespace qm {

void RegisterAppClasses(ClassRegistry& registry)
{
    RegisterWidgetClasses(registry);
    registry.Register<TMSystemInfo>("TMSystemInfo");
    registry.Register<TCoolTrayIcon>("TCoolTrayIcon");
    registry.Register<TabfApplicationProperties>("TabfApplicationProperties");
    registry.Register<TTransparentSkin>("TTransparentSkin");
    registry.Register<TFlatHint>("TFlatHint");
    registry.Register<TabfOneInstance>("TabfOneInstance");
    registry.Register<TFormStorage>("TFormStorage");
}

} // namespace qm
