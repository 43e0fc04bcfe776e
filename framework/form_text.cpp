#include "framework/form_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

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

// Whole numbers of any size, as far as deciding which double a decimal
// text reads back as needs: the C runtime's strtod on Windows rounds some
// texts next to a power of two the wrong way, and std::from_chars would
// bring 30 KB of its own.
class BigWhole {
public:
    explicit BigWhole(std::uint64_t n) : words_{static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n >> 32)} {}
    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& word : words_) {
            carry += static_cast<std::uint64_t>(word) * factor;
            word = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry)
            words_.push_back(static_cast<std::uint32_t>(carry));
    }
    void MultiplyByPowerOf5(int n)
    {
        for (; n >= 13; n -= 13)
            Multiply(1220703125); // 5^13
        for (; n > 0; --n)
            Multiply(5);
    }
    void ShiftLeft(int bits)
    {
        for (; bits >= 31; bits -= 31)
            Multiply(1u << 31);
        if (bits > 0)
            Multiply(1u << bits);
    }
    friend int Compare(BigWhole a, BigWhole b)
    {
        a.Trim();
        b.Trim();
        if (a.words_.size() != b.words_.size())
            return a.words_.size() < b.words_.size() ? -1 : 1;
        for (size_t i = a.words_.size(); i-- > 0;)
            if (a.words_[i] != b.words_[i])
                return a.words_[i] < b.words_[i] ? -1 : 1;
        return 0;
    }

private:
    void Trim()
    {
        while (words_.size() > 1 && words_.back() == 0)
            words_.pop_back();
    }
    std::vector<std::uint32_t> words_;
};

// -1, 0 or 1 as digits * 10^power is below, at or above halves * 2^twos.
int CompareDecimalWithBinary(std::uint64_t digits, int power, std::uint64_t halves, int twos)
{
    BigWhole decimal(digits), binary(halves);
    if (power >= 0)
        decimal.MultiplyByPowerOf5(power);
    else
        binary.MultiplyByPowerOf5(-power);
    // Both sides now carry 2^power and 2^twos: shift the smaller power up.
    if (power >= twos)
        decimal.ShiftLeft(power - twos);
    else
        binary.ShiftLeft(twos - power);
    return Compare(decimal, binary);
}

// d > 0 as a whole mantissa of up to 53 bits times 2^e.
struct Binary {
    std::uint64_t mantissa;
    int e;
};

Binary Decompose(double d)
{
    int exponent = 0;
    const double fraction = std::frexp(d, &exponent);
    const int e = std::max(exponent - 53, -1074);
    return {static_cast<std::uint64_t>(std::ldexp(fraction, exponent - e)), e};
}

// -1, 0 or 1 as the decimal digits[0].digits[1..] * 10^exponent is below, at
// or above halves * 2^twos.
int CompareDigits(const std::string& digits, int exponent, std::uint64_t halves, int twos)
{
    return CompareDecimalWithBinary(std::strtoull(digits.c_str(), nullptr, 10),
                                    exponent - static_cast<int>(digits.size()) + 1, halves, twos);
}

// Whether the decimal reads back as `d`: it lies between the midpoints to
// d's neighbours, or on one of them with d's last bit even (ties go to even).
bool ReadsBackAs(const std::string& digits, int exponent, Binary d)
{
    const bool even = d.mantissa % 2 == 0;
    // At a power of two the neighbour below is half as far as the one above.
    const bool closerBelow = d.mantissa == (std::uint64_t{1} << 52) && d.e > -1074;
    const int above = CompareDigits(digits, exponent, 2 * d.mantissa + 1, d.e - 1);
    const int below = closerBelow ? CompareDigits(digits, exponent, 4 * d.mantissa - 1, d.e - 2)
                                  : CompareDigits(digits, exponent, 2 * d.mantissa - 1, d.e - 1);
    return (above < 0 || (above == 0 && even)) && (below > 0 || (below == 0 && even));
}

// The shortest digits that read back as `d` (d > 0), and the power of ten of
// the first: what a printf "%e" of the right precision gives, or, where the
// nearest such digits miss, their neighbour on the other side of `d`.
std::string ShortestDigits(double d, int& exponent)
{
    const Binary binary = Decompose(d);
    char buffer[40];
    std::string digits;
    for (int precision = 0; precision <= 16; ++precision) {
        std::snprintf(buffer, sizeof(buffer), "%.*e", precision, d);
        const char* e = std::strchr(buffer, 'e');
        exponent = std::atoi(e + 1);
        digits.assign(buffer, 1);
        digits.append(static_cast<const char*>(buffer) + (precision ? 2 : 1), e);
        if (ReadsBackAs(digits, exponent, binary))
            return digits;
        if (precision == 16)
            break;
        // Next to a power of two the interval that reads back is lopsided:
        // the nearest digits can miss while the next ones up or down hit.
        std::string other = digits;
        int otherExponent = exponent;
        if (CompareDigits(digits, exponent, binary.mantissa, binary.e) < 0) {
            size_t i = other.size();
            while (i > 0 && other[i - 1] == '9')
                other[--i] = '0';
            if (i == 0) {
                other.insert(other.begin(), '1');
                other.pop_back();
                ++otherExponent;
            } else {
                ++other[i - 1];
            }
        } else {
            size_t i = other.size();
            while (i > 0 && other[i - 1] == '0')
                other[--i] = '9';
            --other[i - 1];
            if (other[0] == '0') {
                other.erase(other.begin());
                other.push_back('9');
                --otherExponent;
            }
        }
        if (ReadsBackAs(other, otherExponent, binary)) {
            while (other.size() > 1 && other.back() == '0')
                other.pop_back();
            exponent = otherExponent;
            return other;
        }
    }
    return digits;
}

std::string FloatText(double d)
{
    if (!std::isfinite(d))
        return "0.0";
    // The shortest text that reads back as the same number, always with a
    // point: the fewest digits, then plain or with an exponent, whichever is
    // shorter (plain on a tie). Done by hand: std::to_chars for doubles
    // brings 170 KB of tables into the program.
    std::string text = std::signbit(d) ? "-" : "";
    if (d == 0)
        return text + "0.0";
    int exponent = 0;
    const std::string digits = ShortestDigits(std::fabs(d), exponent);
    const int count = static_cast<int>(digits.size());
    std::string plain;
    if (exponent < 0)
        plain = "0." + std::string(-exponent - 1, '0') + digits;
    else if (count <= exponent + 1) {
        // A whole number: its own digits, not the shortest ones padded with
        // zeros, as they are as short and nearer.
        char whole[320];
        std::snprintf(whole, sizeof(whole), "%.0f", std::fabs(d));
        plain = whole;
    }
    else
        plain = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    char power[16];
    std::snprintf(power, sizeof(power), "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    const std::string scientific = digits.substr(0, 1) + (count > 1 ? "." + digits.substr(1) : "") + power;
    text += plain.size() <= scientific.size() ? plain : scientific;
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
