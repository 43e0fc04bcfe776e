#include "sysinfo/msysteminfo.h"

#include "framework/application.h"
#include "framework/message_window.h"
#include "sysinfo/viewer/report_view_form.h"

namespace qm {

namespace {

// Destroying a window from inside its own close message would pull the
// object from under the message handler; the request is posted instead.
constexpr UINT kDestroyOverview = WM_APP + 1;

// The wait cursor while the collectors read the system.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

TMSystemInfo::TMSystemInfo() : about_("MSystemInfo: the system-information engine of Quarrimond 4.8")
{}

TMSystemInfo::~TMSystemInfo() = default;

bool TMSystemInfo::ApplyProperty(std::string_view name, const FormValue& value)
{
    if (name == "About") {
        value.AsString(); // only the kind is checked: the text stays ours
        return true;
    }
    if (name == "CPU.FDIVBug") {
        info_.CPU->FDIVBug = value.AsBool();
        return true;
    }
    if (name == "CPU.CodeName") {
        info_.CPU->CodeName = value.AsString();
        return true;
    }
    if (name == "CPU.Transistors") {
        info_.CPU->Transistors = value.AsInt();
        return true;
    }
    return Component::ApplyProperty(name, value);
}

void TMSystemInfo::ShowOverview()
{
    if (overview_) {
        overview_->Show();
        SetForegroundWindow(overview_->Handle());
        return;
    }
    Application& application = Application::Instance();
    if (!messages_)
        messages_ = std::make_unique<MessageWindow>([this](UINT message, WPARAM, LPARAM, LRESULT& result) {
            if (message != kDestroyOverview)
                return false;
            DestroyOverview();
            result = 0;
            return true;
        });
    auto overview = std::make_unique<TReportViewForm>(application);
    overview->Initialize();
    if (TForm* main = application.MainForm(); main && main->Handle())
        SetWindowLongPtrA(overview->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(main->Handle()));
    overview->OnClose = [this](Component& sender) { OverviewClosed(sender); };
    {
        WaitCursor wait;
        info_.RefreshData(application.Services());
    }
    StringList lines;
    info_.Report(lines, UserReportLocale());
    overview->ShowReport(lines.Text());
    overview_ = std::move(overview);
    overview_->Show();
}

void TMSystemInfo::OverviewClosed(Component&)
{
    if (messages_)
        PostMessageA(messages_->Handle(), kDestroyOverview, 0, 0);
}

void TMSystemInfo::DestroyOverview()
{
    overview_.reset();
}

} // namespace qm
