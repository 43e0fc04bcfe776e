// quarrimond-report: refreshes every collector and writes the "All Topics"
// report, as the viewer saves it (ANSI, CR LF), to a file or standard output;
// or the topics asked for, as text or as one JSON document in UTF-8.
// Failures go to standard error; no message box is ever shown.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/forwarding_services.h"
#include "platform/text_encoding.h"
#include "sysinfo/report_json.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"

namespace {

// The real system, except that failure boxes become lines on standard error,
// each kept with the collector that was reading.
class ConsoleServices final : public qm::ForwardingServices {
public:
    int failures = 0;
    const void* reading = nullptr;
    std::map<const void*, std::vector<std::string>> byCollector;
    qm::MessageResult ShowMessage(const qm::MessageBoxRequest& request) override
    {
        ++failures;
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
        byCollector[reading].push_back(request.caption + ": " + request.text);
        return qm::MessageResult::Ok;
    }
};

constexpr char kUsage[] = "Usage: quarrimond-report [--format text|json] [--topic NAME]... [FILE]\n"
                          "       quarrimond-report --list-topics\n"
                          "Refreshes every system-information topic and writes the All Topics report\n"
                          "(sections of key=value lines, ANSI text, CR LF line ends) to FILE, or to\n"
                          "standard output when FILE is omitted or \"-\".\n"
                          "  --topic NAME   only this topic, as the viewer's \"Current Topic\" writes it\n"
                          "                 (repeatable; names as --list-topics gives them, any case)\n"
                          "  --format json  one JSON document in UTF-8: every topic's fields, its report\n"
                          "                 sections and the failures met (docs/report-schema.json)\n"
                          "Exit code: 0 when every topic was read, 1 when any failed (the failures are\n"
                          "on standard error), 2 for a usage error or when the report could not be written.\n";

struct Options {
    bool json = false, listTopics = false, help = false;
    std::vector<std::string> topics;
    std::string file = "-";
};

// Nothing when the arguments are not understood.
std::optional<Options> ParseArguments(int argc, char** argv)
{
    Options options;
    bool haveFile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--list-topics") {
            options.listTopics = true;
        } else if (argument == "--format" && i + 1 < argc) {
            const std::string format = argv[++i];
            if (format != "text" && format != "json")
                return std::nullopt;
            options.json = format == "json";
        } else if (argument == "--topic" && i + 1 < argc) {
            options.topics.push_back(argv[++i]);
        } else if ((argument.starts_with("--") && argument != "-") || haveFile) {
            return std::nullopt;
        } else {
            options.file = argument;
            haveFile = true;
        }
    }
    return options;
}

bool Write(const std::string& file, const std::string& text)
{
    const bool toStdout = file == "-";
    FILE* out = toStdout ? stdout : std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    if (toStdout)
        _setmode(_fileno(stdout), _O_BINARY); // the CR LF are in the text already
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return (toStdout ? std::fflush(out) : std::fclose(out)) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = ParseArguments(argc, argv);
    if (!options || options->help) {
        std::fputs(kUsage, options ? stdout : stderr);
        return options ? 0 : 2;
    }
    qm::TheStartupValues();
    ConsoleServices services;
    qm::SystemInfo info;

    // The viewer's topics by lower-case name; with none asked for, every
    // collector in the report's order (the DirectX section has no tab).
    std::vector<std::pair<std::string, qm::CollectorRef>> chosen;
    if (options->listTopics) {
        for (const qm::Topic& topic : info.Topics())
            std::printf("%.*s\n", static_cast<int>(topic.name.size()), topic.name.data());
        return 0;
    }
    for (const std::string& wanted : options->topics) {
        const qm::Topic* found = nullptr;
        for (const qm::Topic& topic : info.Topics())
            if (lstrcmpiA(std::string(topic.name).c_str(), wanted.c_str()) == 0)
                found = &topic;
        if (!found) {
            std::fprintf(stderr, "quarrimond-report: no topic named \"%s\"; the topics are:\n", wanted.c_str());
            for (const qm::Topic& topic : info.Topics())
                std::fprintf(stderr, "  %.*s\n", static_cast<int>(topic.name.size()), topic.name.data());
            return 2;
        }
        chosen.emplace_back(std::string(found->name), found->collector);
    }
    if (chosen.empty())
        for (const qm::CollectorRef& collector : info.InReportOrder()) {
            std::string name = "DirectX";
            for (const qm::Topic& topic : info.Topics())
                if (topic.collector == collector)
                    name = std::string(topic.name);
            chosen.emplace_back(name, collector);
        }

    info.RefreshData(services, [&](const qm::CollectorRef& collector) { services.reading = collector.Object(); });
    const qm::ReportLocale locale = qm::UserReportLocale();
    std::string text;
    if (options->json) {
        std::vector<qm::JsonTopic> topics;
        for (const auto& [name, collector] : chosen) {
            qm::JsonTopic topic{name,
                                collector.ClassName(),
                                &collector.Type(),
                                collector.Object(),
                                {},
                                services.byCollector[collector.Object()]};
            collector.Report(topic.report, locale);
            topics.push_back(std::move(topic));
        }
        text = qm::ReportJson(topics, qm::Utf8FromAnsi);
    } else {
        qm::StringList lines;
        if (options->topics.empty())
            info.Report(lines, locale);
        else
            for (const auto& [name, collector] : chosen)
                collector.Report(lines, locale);
        text = lines.Text();
    }
    if (!Write(options->file, text)) {
        std::fprintf(stderr, "quarrimond-report: cannot write %s\n",
                     options->file == "-" ? "the report" : options->file.c_str());
        return 2;
    }
    return services.failures ? 1 : 0;
}
