#include "framework/form_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qm {

namespace {

[[noreturn]] void Fail(int line, const std::string& what)
{
    throw EFormDescription("form description, line " + std::to_string(line) + ": " + what);
}

bool IsIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    FormObject ReadDocument()
    {
        SkipSpace();
        FormObject root = ReadObject();
        SkipSpace();
        if (!AtEnd())
            Fail(line_, "text after the last 'end'");
        return root;
    }

    FormValue ReadSingleValue()
    {
        FormValue value = ReadValue();
        SkipSpace();
        if (!AtEnd())
            Fail(line_, "text after the value");
        return value;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void Advance()
    {
        if (text_[pos_] == '\n')
            ++line_;
        ++pos_;
    }

    // Skips blanks and line comments ("//" to the end of the line).
    void SkipSpace()
    {
        while (!AtEnd()) {
            char c = Peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                Advance();
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (!AtEnd() && Peek() != '\n')
                    Advance();
            } else {
                break;
            }
        }
    }

    std::string ReadIdentifier()
    {
        SkipSpace();
        if (!IsIdentStart(Peek()))
            Fail(line_, "a name was expected");
        size_t start = pos_;
        while (!AtEnd() && IsIdentChar(Peek()))
            Advance();
        return std::string(text_.substr(start, pos_ - start));
    }

    void Expect(char c)
    {
        SkipSpace();
        if (Peek() != c)
            Fail(line_, std::string("'") + c + "' was expected");
        Advance();
    }

    FormObject ReadObject()
    {
        FormObject object;
        object.line = line_;
        if (ReadIdentifier() != "object")
            Fail(object.line, "'object' was expected");
        object.name = ReadIdentifier();
        Expect(':');
        object.className = ReadIdentifier();
        for (;;) {
            SkipSpace();
            if (AtEnd())
                Fail(line_, "'end' of object " + object.name + " is missing");
            size_t mark = pos_;
            int markLine = line_;
            std::string word = ReadIdentifier();
            if (word == "end")
                return object;
            if (word == "object") {
                pos_ = mark;
                line_ = markLine;
                object.children.push_back(ReadObject());
                continue;
            }
            Expect('=');
            FormProperty property{word, ReadValue()};
            object.properties.push_back(std::move(property));
        }
    }

    FormValue ReadValue()
    {
        SkipSpace();
        FormValue value;
        value.line = line_;
        char c = Peek();
        if (c == '\'' || c == '#') {
            value.kind = FormValue::Kind::String;
            value.text = ReadString();
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            ReadNumber(value);
        } else if (c == '<') {
            value.kind = FormValue::Kind::Collection;
            Advance();
            for (;;) {
                SkipSpace();
                if (Peek() == '>') {
                    Advance();
                    break;
                }
                if (ReadIdentifier() != "item")
                    Fail(line_, "'item' or '>' was expected");
                FormCollectionItem item;
                for (;;) {
                    std::string word = ReadIdentifier();
                    if (word == "end")
                        break;
                    Expect('=');
                    item.push_back(FormProperty{word, ReadValue()});
                }
                value.collection.push_back(std::move(item));
            }
        } else if (c == '[') {
            value.kind = FormValue::Kind::Set;
            Advance();
            SkipSpace();
            if (Peek() == ']') {
                Advance();
                return value;
            }
            for (;;) {
                value.items.push_back(ReadIdentifier());
                SkipSpace();
                if (Peek() == ']') {
                    Advance();
                    break;
                }
                Expect(',');
            }
        } else if (c == '(') {
            value.kind = FormValue::Kind::List;
            Advance();
            for (;;) {
                SkipSpace();
                if (Peek() == ')') {
                    Advance();
                    break;
                }
                if (Peek() != '\'' && Peek() != '#')
                    Fail(line_, "a string or ')' was expected");
                value.items.push_back(ReadString());
            }
        } else if (IsIdentStart(c)) {
            value.kind = FormValue::Kind::Identifier;
            value.text = ReadIdentifier();
        } else {
            Fail(line_, "a value was expected");
        }
        return value;
    }

    // An integer, or a decimal fraction ("1.5", "-0.25") as floats are stored.
    void ReadNumber(FormValue& value)
    {
        const size_t start = pos_;
        value.kind = FormValue::Kind::Integer;
        value.integer = ReadInteger();
        if (Peek() != '.')
            return;
        Advance();
        if (!std::isdigit(static_cast<unsigned char>(Peek())))
            Fail(line_, "digits were expected after '.'");
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek())))
            Advance();
        if (Peek() == 'E' || Peek() == 'e') {
            Advance();
            if (Peek() == '+' || Peek() == '-')
                Advance();
            if (!std::isdigit(static_cast<unsigned char>(Peek())))
                Fail(line_, "digits were expected in the exponent");
            while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek())))
                Advance();
        }
        const std::string digits(text_.substr(start, pos_ - start));
        value.kind = FormValue::Kind::Float;
        value.real = std::strtod(digits.c_str(), nullptr);
        value.integer = 0;
    }

    std::int64_t ReadInteger()
    {
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            Advance();
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek())))
            Fail(line_, "digits were expected");
        std::int64_t n = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) {
            if (n > (std::numeric_limits<std::int64_t>::max() - 9) / 10)
                Fail(line_, "number too large");
            n = n * 10 + (Peek() - '0');
            Advance();
        }
        return negative ? -n : n;
    }

    // 'quoted' runs (with '' for a quote) and #nn character codes, joined
    // directly or across lines with '+'.
    std::string ReadString()
    {
        std::string s;
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                Advance();
                for (;;) {
                    if (AtEnd() || Peek() == '\n')
                        Fail(line_, "unterminated string");
                    if (Peek() == '\'') {
                        Advance();
                        if (Peek() == '\'') {
                            s += '\'';
                            Advance();
                            continue;
                        }
                        break;
                    }
                    s += Peek();
                    Advance();
                }
            } else if (c == '#') {
                Advance();
                std::int64_t code = ReadInteger();
                if (code < 0 || code > 255)
                    Fail(line_, "character code out of range");
                s += static_cast<char>(code);
            } else {
                size_t mark = pos_;
                int markLine = line_;
                SkipSpace();
                if (Peek() == '+') {
                    Advance();
                    SkipSpace();
                    if (Peek() != '\'' && Peek() != '#')
                        Fail(line_, "a string was expected after '+'");
                    continue;
                }
                pos_ = mark;
                line_ = markLine;
                return s;
            }
        }
    }
};

[[noreturn]] void WrongKind(const FormValue& v, const char* expected)
{
    Fail(v.line, std::string(expected) + " was expected");
}

} // namespace

std::int64_t FormValue::AsInteger() const
{
    if (kind != Kind::Integer)
        WrongKind(*this, "a number");
    return integer;
}

int FormValue::AsInt() const
{
    std::int64_t n = AsInteger();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        Fail(line, "number out of range");
    return static_cast<int>(n);
}

const std::string& FormValue::AsString() const
{
    if (kind != Kind::String)
        WrongKind(*this, "a quoted string");
    return text;
}

const std::string& FormValue::AsIdentifier() const
{
    if (kind != Kind::Identifier)
        WrongKind(*this, "a name");
    return text;
}

bool FormValue::AsBool() const
{
    const std::string& word = AsIdentifier();
    if (word == "True")
        return true;
    if (word == "False")
        return false;
    Fail(line, "True or False was expected, not " + word);
}

const std::vector<std::string>& FormValue::AsSet() const
{
    if (kind != Kind::Set)
        WrongKind(*this, "a set [..]");
    return items;
}

const std::vector<std::string>& FormValue::AsList() const
{
    if (kind != Kind::List)
        WrongKind(*this, "a list ( .. )");
    return items;
}

double FormValue::AsFloat() const
{
    if (kind == Kind::Integer)
        return static_cast<double>(integer);
    if (kind != Kind::Float)
        WrongKind(*this, "a number");
    return real;
}

const std::vector<FormCollectionItem>& FormValue::AsCollection() const
{
    if (kind != Kind::Collection)
        WrongKind(*this, "a collection <..>");
    return collection;
}

FormValue FormValue::Integer(std::int64_t n)
{
    FormValue v;
    v.kind = Kind::Integer;
    v.integer = n;
    return v;
}

FormValue FormValue::Float(double d)
{
    FormValue v;
    v.kind = Kind::Float;
    v.real = d;
    return v;
}

FormValue FormValue::Identifier(std::string name)
{
    FormValue v;
    v.kind = Kind::Identifier;
    v.text = std::move(name);
    return v;
}

FormValue FormValue::String(std::string text)
{
    FormValue v;
    v.kind = Kind::String;
    v.text = std::move(text);
    return v;
}

FormValue FormValue::Set(std::vector<std::string> members)
{
    FormValue v;
    v.kind = Kind::Set;
    v.items = std::move(members);
    return v;
}

FormValue FormValue::List(std::vector<std::string> lines)
{
    FormValue v;
    v.kind = Kind::List;
    v.items = std::move(lines);
    return v;
}

FormObject ParseFormText(std::string_view text)
{
    return Reader(text).ReadDocument();
}

namespace {

// 'quoted' runs for printable characters, #nn for the others.
std::string QuoteString(const std::string& text)
{
    if (text.empty())
        return "''";
    std::string out;
    bool open = false;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code != 127) {
            if (!open)
                out += '\'';
            open = true;
            out += c;
            if (c == '\'')
                out += '\'';
        } else {
            if (open)
                out += '\'';
            open = false;
            out += '#' + std::to_string(code);
        }
    }
    if (open)
        out += '\'';
    return out;
}

std::string FloatText(double d)
{
    if (!std::isfinite(d))
        return "0.0";
    char buffer[64];
    // The shortest text that reads back as the same number, always with a point.
    auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), d);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0";
    else if (text.find('.') == std::string::npos) {
        const size_t e = text.find_first_of("eE");
        text.insert(e, ".0");
    }
    return text;
}

} // namespace

std::string FormatFormValue(const FormValue& value)
{
    switch (value.kind) {
    case FormValue::Kind::Integer:
        return std::to_string(value.integer);
    case FormValue::Kind::Float:
        return FloatText(value.real);
    case FormValue::Kind::Identifier:
        return value.text;
    case FormValue::Kind::String:
        return QuoteString(value.text);
    case FormValue::Kind::Set: {
        std::string out = "[";
        for (size_t i = 0; i < value.items.size(); ++i)
            out += (i ? ", " : "") + value.items[i];
        return out + "]";
    }
    case FormValue::Kind::List: {
        std::string out = "(";
        for (const std::string& line : value.items) {
            out += ' ';
            out += QuoteString(line);
        }
        return out + " )";
    }
    case FormValue::Kind::Collection: {
        std::string out = "<";
        for (const FormCollectionItem& item : value.collection) {
            out += " item";
            for (const FormProperty& property : item) {
                out += ' ';
                out += property.name;
                out += " = ";
                out += FormatFormValue(property.value);
            }
            out += " end";
        }
        return out + " >";
    }
    }
    return {};
}

FormValue ParseFormValue(std::string_view text)
{
    return Reader(text).ReadSingleValue();
}

} // namespace qm
