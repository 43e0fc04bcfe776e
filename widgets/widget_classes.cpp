#include "widgets/widget_classes.h"

#include "widgets/html_static_text.h"
#include "widgets/vr_bitmap_list.h"
#include "widgets/vr_label.h"
#include "widgets/vr_lights.h"
#include "widgets/vr_num.h"
#include "widgets/vr_progress_bar.h"
#include "widgets/vr_scale.h"
#include "widgets/vr_scope.h"
#include "widgets/vr_shadow_button.h"
#include "widgets/vr_timer.h"
#include "widgets/vr_track_bar.h"
#include "widgets/vr_user_led.h"

namespace qm {

void RegisterWidgetClasses(ClassRegistry& registry)
{
    registry.Register<TVrTimer>("TVrTimer");
    registry.Register<TVrScope>("TVrScope");
    registry.Register<TVrNum>("TVrNum");
    registry.Register<TVrUserLed>("TVrUserLed");
    registry.Register<TVrScale>("TVrScale");
    registry.Register<TVrLabel>("TVrLabel");
    registry.Register<TVrShadowButton>("TVrShadowButton");
    registry.Register<TVrProgressBar>("TVrProgressBar");
    registry.Register<TVrTrackBar>("TVrTrackBar");
    registry.Register<TVrLights>("TVrLights");
    registry.Register<TVrBitmapList>("TVrBitmapList");
    registry.Register<THTMLStaticText>("THTMLStaticText");
}

} // namespace qm
