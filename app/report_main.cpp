// quarrimond-report: refreshes every collector and writes the "All Topics"
// report, as the viewer saves it (ANSI, CR LF), to a file or standard output;
// or the topics asked for, as text or as one JSON document in UTF-8.
// Failures go to standard error; no message box is ever shown.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/report_options.h"
#include "platform/file_write.h"
#include "platform/forwarding_services.h"
#include "platform/text_case.h"
#include "platform/text_encoding.h"
#include "sysinfo/report_json.h"
#include "sysinfo/startup_values.h"
#include "sysinfo/system_info.h"

namespace {

// The real system, except that failure boxes become lines on standard error,
// each filed under the topic it belongs to.
class ConsoleServices final : public qm::ForwardingServices {
public:
    explicit ConsoleServices(std::vector<std::string_view> classNames) : classNames_(std::move(classNames))
    {
        byTopic.resize(classNames_.size());
    }
    qm::MessageResult ShowMessage(const qm::MessageBoxRequest& request) override
    {
        Fail(request.caption + ": " + request.text, request.caption);
        return qm::MessageResult::Ok;
    }
    void Fail(const std::string& line, std::string_view caption)
    {
        ++failures;
        std::fprintf(stderr, "%s\n", line.c_str());
        byTopic[qm::FailureTopic(caption, classNames_, current)].push_back(line);
    }

    int failures = 0;
    std::size_t current = 0; // the topic being read or written
    std::vector<std::vector<std::string>> byTopic;

private:
    std::vector<std::string_view> classNames_;
};

constexpr char kUsage[] = "Usage: quarrimond-report [--format text|json] [--topic NAME]... [FILE]\n"
                          "       quarrimond-report --list-topics\n"
                          "Refreshes every system-information topic and writes the All Topics report\n"
                          "(sections of key=value lines, ANSI text, CR LF line ends) to FILE, or to\n"
                          "standard output when FILE is omitted or \"-\". The file is written whole or\n"
                          "not at all.\n"
                          "  --topic NAME   only this topic, as the viewer's \"Current Topic\" writes it,\n"
                          "                 reading only what it shows (repeatable; names as\n"
                          "                 --list-topics gives them, any case)\n"
                          "  --format json  one JSON document in UTF-8: every topic's fields, its report\n"
                          "                 sections and the failures met (docs/report-schema.json)\n"
                          "Exit code: 0 when every topic was read, 1 when any failed (the failures are\n"
                          "on standard error), 2 for a usage error or when the report could not be written.\n";

struct Chosen {
    std::string name;
    qm::CollectorRef collector;
};

// Standard output as it is; a file whole or not at all.
std::string Write(const std::string& file, const std::string& text)
{
    if (file != "-") {
        const qm::FileWriteResult written = qm::WriteWholeFile(file, text, qm::ExistingFile::Replace);
        return written.ok ? std::string() : written.reason;
    }
    _setmode(_fileno(stdout), _O_BINARY); // the CR LF are in the text already
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written ? std::string() : "standard output cannot be written";
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<qm::ReportOptions> options = qm::ParseReportOptions({argv + 1, argv + argc});
    if (!options || options->help) {
        std::fputs(kUsage, options ? stdout : stderr);
        return options ? 0 : 2;
    }
    qm::TheStartupValues();
    qm::SystemInfo info;
    if (options->listTopics) {
        for (const qm::Topic& topic : info.Topics())
            std::printf("%.*s\n", static_cast<int>(topic.name.size()), topic.name.data());
        return 0;
    }

    // The viewer's topics by name, any case; with none asked for, every
    // topic in the report's order.
    const std::vector<qm::Topic> topics = info.Topics();
    std::vector<Chosen> chosen;
    for (const std::string& wanted : options->topics) {
        const qm::Topic* found = nullptr;
        for (const qm::Topic& topic : topics)
            if (qm::EqualIgnoringCase(topic.name, wanted))
                found = &topic;
        if (!found) {
            std::fprintf(stderr, "quarrimond-report: no topic named \"%s\"; the topics are:\n", wanted.c_str());
            for (const qm::Topic& topic : topics)
                std::fprintf(stderr, "  %.*s\n", static_cast<int>(topic.name.size()), topic.name.data());
            return 2;
        }
        chosen.push_back({std::string(found->name), found->collector});
    }
    const bool allTopics = chosen.empty();
    if (allTopics)
        for (const qm::TopicRow* row : qm::RowsInReportOrder())
            chosen.push_back({std::string(row->name), info.Collector(*row)});
    std::vector<std::string_view> classNames;
    std::vector<qm::CollectorRef> collectors;
    for (const Chosen& topic : chosen) {
        classNames.emplace_back(topic.collector.ClassName());
        collectors.push_back(topic.collector);
    }
    ConsoleServices services(classNames);
    auto topicOf = [&](const qm::CollectorRef& collector) {
        return static_cast<std::size_t>(std::find(collectors.begin(), collectors.end(), collector) -
                                        collectors.begin());
    };

    // Only what the chosen topics show is read: a failure elsewhere is not theirs.
    auto reading = [&](const qm::CollectorRef& collector) {
        if (const std::size_t topic = topicOf(collector); topic < chosen.size())
            services.current = topic;
    };
    if (allTopics)
        info.RefreshData(services, reading);
    else
        info.RefreshOnly(services, collectors, reading);

    const qm::ReportLocale locale = qm::UserReportLocale();
    std::vector<qm::StringList> reports(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        services.current = i;
        try {
            info.ReportOne(chosen[i].collector, reports[i], locale);
        } catch (const std::exception& failure) {
            const std::string caption = std::string(chosen[i].collector.ClassName()) + ".Report";
            services.Fail(caption + ": " + failure.what(), caption);
        }
    }
    std::string text;
    if (options->json) {
        std::vector<qm::JsonTopic> topics;
        for (std::size_t i = 0; i < chosen.size(); ++i)
            topics.push_back({chosen[i].name, chosen[i].collector.ClassName(), &chosen[i].collector.Type(),
                              chosen[i].collector.Object(), reports[i], services.byTopic[i]});
        text = qm::ReportJson(topics, qm::Utf8FromAnsi);
    } else {
        qm::StringList lines;
        for (const qm::StringList& report : reports)
            for (const std::string& line : report.Lines())
                lines.Add(line);
        text = lines.Text();
    }
    if (const std::string reason = Write(options->file, text); !reason.empty()) {
        std::fprintf(stderr, "quarrimond-report: cannot write %s: %s\n",
                     options->file == "-" ? "the report" : options->file.c_str(), reason.c_str());
        return 2;
    }
    return services.failures ? 1 : 0;
}
