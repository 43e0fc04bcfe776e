#include "sysinfo/report_json.h"

#include <cmath>
#include <cstdio>

namespace qm {

namespace {

class JsonWriter {
public:
    explicit JsonWriter(const std::function<std::string(std::string_view)>& toUtf8) : toUtf8_(toUtf8) {}

    void Object(const TypeInfo& type, const void* self)
    {
        out_ += '{';
        bool first = true;
        Members(type, self, first);
        out_ += '}';
    }

    void Text(std::string_view ansi) { out_ += JsonString(toUtf8_(ansi)); }
    void Raw(std::string_view text) { out_ += text; }
    void Key(std::string_view name, bool& first)
    {
        if (!first)
            out_ += ',';
        first = false;
        out_ += JsonString(name);
        out_ += ':';
    }
    std::string Take() { return std::move(out_); }

private:
    // The base class's fields first, as the tables inherit them.
    void Members(const TypeInfo& type, const void* self, bool& first)
    {
        if (type.base)
            Members(type.base(), self, first);
        for (const PropertyInfo& property : type.properties) {
            if (!property.Readable())
                continue;
            Key(property.name, first);
            Value(property, self);
        }
    }

    void Value(const PropertyInfo& property, const void* self)
    {
        void* mutableSelf = const_cast<void*>(self);
        switch (property.type) {
        case PropertyType::Object:
            if (const void* nested = property.object(mutableSelf, false))
                Object(property.nested(), nested);
            else
                out_ += "null";
            return;
        case PropertyType::Collection: {
            out_ += '[';
            const std::size_t count = property.count(self);
            for (std::size_t i = 0; i < count; ++i) {
                if (i)
                    out_ += ',';
                Object(property.nested(), property.item(mutableSelf, i));
            }
            out_ += ']';
            return;
        }
        default:
            break;
        }
        const PropertyValue value = property.get(self);
        switch (property.type) {
        case PropertyType::Integer:
        case PropertyType::Color:
            out_ += std::to_string(value.number);
            break;
        case PropertyType::Float: {
            if (!std::isfinite(value.real)) {
                out_ += "null";
                break;
            }
            char number[40];
            std::snprintf(number, sizeof(number), "%.17g", value.real);
            out_ += number;
            break;
        }
        case PropertyType::Boolean:
            out_ += value.number ? "true" : "false";
            break;
        case PropertyType::Enumeration:
            if (value.number >= 0 && static_cast<std::size_t>(value.number) < property.names.size())
                out_ += JsonString(property.names[static_cast<std::size_t>(value.number)]);
            else
                out_ += std::to_string(value.number);
            break;
        case PropertyType::Set: {
            out_ += '[';
            bool first = true;
            for (std::size_t bit = 0; bit < property.names.size() && bit < 64; ++bit)
                if (value.number & (std::int64_t{1} << bit)) {
                    if (!first)
                        out_ += ',';
                    first = false;
                    out_ += JsonString(property.names[bit]);
                }
            out_ += ']';
            break;
        }
        case PropertyType::Strings: {
            out_ += '[';
            for (std::size_t i = 0; i < value.lines.size(); ++i) {
                if (i)
                    out_ += ',';
                Text(value.lines[i]);
            }
            out_ += ']';
            break;
        }
        default: // String, Reference
            Text(value.text);
            break;
        }
    }

    const std::function<std::string(std::string_view)>& toUtf8_;
    std::string out_;
};

// The text report as sections of [name, value] pairs, split at the first "=".
void WriteReportSections(JsonWriter& json, const StringList& lines)
{
    json.Raw("[");
    bool open = false, firstSection = true, firstValue = true;
    auto close = [&] {
        if (open)
            json.Raw("]}");
        open = false;
    };
    auto start = [&](std::string_view section) {
        close();
        if (!firstSection)
            json.Raw(",");
        firstSection = false;
        json.Raw("{\"section\":");
        json.Text(section);
        json.Raw(",\"values\":[");
        open = true;
        firstValue = true;
    };
    for (const std::string& line : lines.Lines()) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            start(std::string_view(line).substr(1, line.size() - 2));
            continue;
        }
        if (!open)
            start("");
        const size_t equals = line.find('=');
        if (!firstValue)
            json.Raw(",");
        firstValue = false;
        json.Raw("[");
        json.Text(std::string_view(line).substr(0, equals));
        json.Raw(",");
        json.Text(equals == std::string::npos ? std::string_view() : std::string_view(line).substr(equals + 1));
        json.Raw("]");
    }
    close();
    json.Raw("]");
}

} // namespace

std::string JsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string ReportJson(const std::vector<JsonTopic>& topics, const std::function<std::string(std::string_view)>& toUtf8)
{
    JsonWriter json(toUtf8);
    json.Raw("{\"format\":\"quarrimond-report\",\"version\":" + std::to_string(kReportJsonVersion) + ",\"topics\":[");
    for (size_t i = 0; i < topics.size(); ++i) {
        const JsonTopic& topic = topics[i];
        if (i)
            json.Raw(",");
        json.Raw("{\"name\":");
        json.Text(topic.name);
        json.Raw(",\"collector\":");
        json.Text(topic.collector);
        json.Raw(",\"properties\":");
        json.Object(*topic.type, topic.object);
        json.Raw(",\"report\":");
        WriteReportSections(json, topic.report);
        json.Raw(",\"failures\":[");
        for (size_t f = 0; f < topic.failures.size(); ++f) {
            if (f)
                json.Raw(",");
            json.Text(topic.failures[f]);
        }
        json.Raw("]}");
    }
    json.Raw("]}\n");
    return json.Take();
}

} // namespace qm
