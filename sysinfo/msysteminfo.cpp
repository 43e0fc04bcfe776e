#include "sysinfo/msysteminfo.h"

#include "framework/application.h"

namespace qm {

void TMSystemInfo::ShowOverview()
{
    ++overviewRequests_;
    Application& application = Application::Instance();
    application.ShowMessage({"The system information overview is not available in this version.",
                             application.Title(), MessageIcon::Information, MessageButtons::Ok, true});
}

} // namespace qm
