#include "framework/form_text.h"

#include <cctype>
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
            value.kind = FormValue::Kind::Integer;
            value.integer = ReadInteger();
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

FormObject ParseFormText(std::string_view text)
{
    return Reader(text).ReadDocument();
}

} // namespace qm
