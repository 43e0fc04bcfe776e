#pragma once
#include "framework/class_registry.h"

namespace qm {

// The framework's own controls: TPanel, TImage, TLabel, TRxLabel, TFlatButton,
// TPopupMenu, TMenuItem, THTMLStaticText.
void RegisterStandardClasses(ClassRegistry& registry);

} // namespace qm
