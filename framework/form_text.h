#pragma once
// Reader for window descriptions: a small text format of nested objects with
// property values, the way forms are stored as data and applied at creation.
//
//   object MainForm: TMainForm
//     Caption = 'Quarrimond v4.8'
//     Hint = 'Two'#13#10'lines'
//     Font.Style = [fsItalic]
//     OnCreate = FormCreate
//     object Panel1: TPanel
//       Align = alClient
//     end
//   end
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// A description that cannot be read or applied: a programming error in the
// program's own data, reported with its line so it is found at once.
class EFormDescription : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FormProperty;

// The items of a collection value, each a list of property values:
//   Columns = <
//     item
//       Caption = 'PID'
//     end>
using FormCollectionItem = std::vector<FormProperty>;

struct FormValue {
    enum class Kind { Integer, Float, Identifier, String, Set, List, Collection };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0;
    std::string text; // identifier or string
    std::vector<std::string> items; // set members, or the strings of a list
    std::vector<FormCollectionItem> collection;
    int line = 0;

    static FormValue Integer(std::int64_t n);
    static FormValue Float(double d);
    static FormValue Identifier(std::string name);
    static FormValue String(std::string text);
    static FormValue Set(std::vector<std::string> members);
    static FormValue List(std::vector<std::string> lines);

    // Each accessor throws EFormDescription when the value is of another kind.
    std::int64_t AsInteger() const;
    int AsInt() const; // also range-checked to int
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    bool AsBool() const; // True / False
    const std::vector<std::string>& AsSet() const;
    // ( 'line' 'line' ... ), as string lists are stored.
    const std::vector<std::string>& AsList() const;
    double AsFloat() const; // also takes an integer
    const std::vector<FormCollectionItem>& AsCollection() const;
};

struct FormProperty {
    std::string name;
    FormValue value;
};

struct FormObject {
    std::string name;
    std::string className;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
    int line = 0;
};

// The index of an identifier value among `names` (an enumeration as stored).
template <size_t N> int EnumIndex(const FormValue& value, const std::string_view (&names)[N])
{
    const std::string& name = value.AsIdentifier();
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    throw EFormDescription("unknown value " + name);
}

// Parses one top-level object. Throws EFormDescription on any malformed input.
FormObject ParseFormText(std::string_view text);

// One value as a description writes it ("12", "True", "'it''s'", "[a, b]"),
// and back. ParseFormValue throws EFormDescription on malformed input or text
// after the value.
std::string FormatFormValue(const FormValue& value);
FormValue ParseFormValue(std::string_view text);

} // namespace qm
