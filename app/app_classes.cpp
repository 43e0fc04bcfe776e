#include "app/app_classes.h"

#include "app/application_properties.h"
#include "app/cool_tray_icon.h"
#include "app/flat_hint.h"
#include "app/one_instance.h"
#include "app/transparent_skin.h"
#include "components/component_classes.h"
#include "sysinfo/msysteminfo.h"
#include "widgets/widget_classes.h"

namespace qm {

void RegisterAppClasses(ClassRegistry& registry)
{
    RegisterWidgetClasses(registry);
    RegisterComponentClasses(registry);
    registry.Register<TMSystemInfo>("TMSystemInfo");
    registry.Register<TCoolTrayIcon>("TCoolTrayIcon");
    registry.Register<TabfApplicationProperties>("TabfApplicationProperties");
    registry.Register<TTransparentSkin>("TTransparentSkin");
    registry.Register<TFlatHint>("TFlatHint");
    registry.Register<TabfOneInstance>("TabfOneInstance");
}

} // namespace qm
