#include "framework/standard_classes.h"

#include "framework/flat_button.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/memo.h"
#include "framework/panel.h"
#include "framework/popup_menu.h"

namespace qm {

void RegisterStandardClasses(ClassRegistry& registry)
{
    registry.Register<TPanel>("TPanel");
    registry.Register<TImage>("TImage");
    registry.Register<TLabel>("TLabel");
    registry.Register<TLabel>("TRxLabel");
    registry.Register<TFlatButton>("TFlatButton");
    registry.Register<TMemo>("TMemo");
    registry.Register<TPopupMenu>("TPopupMenu");
    registry.Register<TMenuItem>("TMenuItem");
}

} // namespace qm
