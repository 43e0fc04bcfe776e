// quarrimond-report: refreshes every collector and writes the "All Topics"
// report, as the viewer saves it (ANSI, CR LF), to a file or standard output.
// Failures go to standard error; no message box is ever shown.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/forwarding_services.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"

namespace {

// The real system, except that failure boxes become lines on standard error.
class ConsoleServices final : public qm::ForwardingServices {
public:
    int failures = 0;
    qm::MessageResult ShowMessage(const qm::MessageBoxRequest& request) override
    {
        ++failures;
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
        return qm::MessageResult::Ok;
    }
};

constexpr char kUsage[] = "Usage: quarrimond-report [FILE]\n"
                          "Refreshes every system-information topic and writes the All Topics report\n"
                          "(sections of key=value lines, ANSI text, CR LF line ends) to FILE, or to\n"
                          "standard output when FILE is omitted or \"-\".\n"
                          "Exit code: 0 when every topic was read, 1 when any failed (the failures are\n"
                          "on standard error), 2 when the report could not be written.\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 ||
        (argc == 2 &&
         (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "/?")))) {
        std::fputs(kUsage, argc > 2 ? stderr : stdout);
        return argc > 2 ? 2 : 0;
    }
    qm::TheStartupValues();
    ConsoleServices services;
    qm::SystemInfo info;
    info.RefreshData(services);
    qm::StringList lines;
    info.Report(lines, qm::UserReportLocale());
    const std::string text = lines.Text();

    const bool toStdout = argc < 2 || !std::strcmp(argv[1], "-");
    FILE* out = toStdout ? stdout : std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "quarrimond-report: cannot write %s\n", argv[1]);
        return 2;
    }
    if (toStdout)
        _setmode(_fileno(stdout), _O_BINARY); // the CR LF are in the text already
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    written = (toStdout ? std::fflush(out) : std::fclose(out)) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "quarrimond-report: cannot write the report\n");
        return 2;
    }
    return services.failures ? 1 : 0;
}
