// A real number in a description or a stored setting is written as the
// shortest text that reads back the same, with a point: held against the
// standard library's shortest conversion, which the program no longer links.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "framework/form_text.h"

namespace qm {
namespace {

std::string Expected(double d)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), d);
    std::string text(buffer, end);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    else if (text.find('.') == std::string::npos)
        text.insert(text.find('e'), ".0");
    return text;
}

double FromBits(std::uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof(d));
    return d;
}

void ExpectAllAsTheLibrary(const std::vector<double>& values)
{
    int wrong = 0;
    for (double d : values) {
        if (!std::isfinite(d))
            continue;
        for (double signed_ : {d, -d}) {
            const std::string expected = Expected(signed_);
            const std::string got = FormatFormValue(FormValue::Float(signed_));
            if (got != expected && ++wrong <= 20)
                ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint64_t>(signed_) << ": " << got
                              << " instead of " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(FloatText, RoundNumbersAsTheLibraryWritesThem)
{
    std::vector<double> values{0.0, 0.5, 1.5, 100.0, 1200.0, 0.0001, 0.001, 1e15, 1e16, 1e21, 1e22, 1e23,
                               123456789012.0, 0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3, 5e-324, 1e-320,
                               std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::epsilon(), 9007199254740993.0, 4.35, 0.3e-5};
    for (int i = 0; i <= 20000; ++i)
        values.push_back(i), values.push_back(i / 10.0), values.push_back(i / 100.0), values.push_back(i / 7.0);
    ExpectAllAsTheLibrary(values);
}

TEST(FloatText, PowersAndTheirNeighboursAsTheLibraryWritesThem)
{
    // Next to a power of two the digits that read back are found off centre.
    std::vector<double> values;
    for (int e = -1074; e <= 1023; ++e) {
        const double power = std::ldexp(1.0, e);
        values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL)});
    }
    for (int e = -323; e <= 308; ++e) {
        const double power = std::pow(10.0, e);
        values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL)});
    }
    ExpectAllAsTheLibrary(values);
}

TEST(FloatText, AnyBitPatternAsTheLibraryWritesIt)
{
    std::mt19937_64 random(20261210);
    std::vector<double> values;
    for (int i = 0; i < 30000; ++i)
        values.push_back(FromBits(random()));
    // Short decimals, as settings hold them.
    std::uniform_int_distribution<int> digits(0, 999999), power(-30, 30);
    for (int i = 0; i < 30000; ++i)
        values.push_back(digits(random) * std::pow(10.0, power(random)));
    ExpectAllAsTheLibrary(values);
}

TEST(FloatText, NoNumberIsWrittenAsZero)
{
    EXPECT_EQ(FormatFormValue(FormValue::Float(std::numeric_limits<double>::infinity())), "0.0");
    EXPECT_EQ(FormatFormValue(FormValue::Float(std::nan(""))), "0.0");
    EXPECT_EQ(FormatFormValue(FormValue::Float(-0.0)), "-0.0");
}

} // namespace
} // namespace qm
