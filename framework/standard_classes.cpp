#include "framework/standard_classes.h"

#include "framework/button.h"
#include "framework/check_box.h"
#include "framework/common_dialogs.h"
#include "framework/edit.h"
#include "framework/flat_button.h"
#include "framework/group_box.h"
#include "framework/image.h"
#include "framework/image_list.h"
#include "framework/label.h"
#include "framework/list_box.h"
#include "framework/list_view.h"
#include "framework/notebook.h"
#include "framework/panel.h"
#include "framework/popup_menu.h"
#include "framework/progress_bar.h"
#include "framework/radio_button.h"
#include "framework/static_text.h"
#include "framework/tab_control.h"
#include "framework/tree_view.h"

namespace qm {

void RegisterStandardClasses(ClassRegistry& registry)
{
    registry.Register<TPanel>("TPanel");
    registry.Register<TImage>("TImage");
    registry.Register<TLabel>("TLabel");
    registry.Register<TLabel>("TRxLabel");
    registry.Register<TFlatButton>("TFlatButton");
    registry.Register<TPopupMenu>("TPopupMenu");
    registry.Register<TMenuItem>("TMenuItem");
    registry.Register<TButton>("TButton");
    registry.Register<TCheckBox>("TCheckBox");
    registry.Register<TFlatCheckBox>("TFlatCheckBox");
    registry.Register<TRadioButton>("TRadioButton");
    registry.Register<TGroupBox>("TGroupBox");
    registry.Register<TStaticText>("TStaticText");
    registry.Register<TEdit>("TEdit");
    registry.Register<TMemo>("TMemo");
    registry.Register<TComboBox>("TComboBox");
    registry.Register<TListBox>("TListBox");
    registry.Register<TCheckListBox>("TCheckListBox");
    registry.Register<TListView>("TListView");
    registry.Register<TTreeView>("TTreeView");
    registry.Register<TTabControl>("TTabControl");
    registry.Register<TPageControl>("TPageControl");
    registry.Register<TTabSheet>("TTabSheet");
    registry.Register<TNotebook>("TNotebook");
    registry.Register<TPage>("TPage");
    registry.Register<TImageList>("TImageList");
    registry.Register<TProgressBar>("TProgressBar");
    registry.Register<TSaveDialog>("TSaveDialog");
    registry.Register<TPrinterSetupDialog>("TPrinterSetupDialog");
}

} // namespace qm
