// The registry key's written contract: reads of missing, unreadable or
// ill-typed values give nothing and change nothing, writes say whether they
// landed, names outside the code page are kept exactly, and the key has
// one owner at a time.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry_key.h"
#include "test_support.h"

namespace qm {
namespace {

constexpr char kRoot[] = "Software\\QuarrimondTest\\RegistryKey";

class RegistryKeyContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kRoot);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(raw_);
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuarrimondTest");
    }
    // Written past the key under test, with the system's own calls.
    void Raw(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(raw_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    HKEY raw_ = nullptr;
};

TEST_F(RegistryKeyContract, AKeyThatIsNotThereGivesItsReasonAndNothingElse)
{
    RegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, std::string(kRoot) + "\\Absent"));
    EXPECT_EQ(key.OpenStatus(HKEY_CURRENT_USER, std::string(kRoot) + "\\Absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key.IsOpen());
    // Nothing open: every read is empty, every write refused.
    EXPECT_FALSE(key.ValueExists("x"));
    EXPECT_EQ(key.ReadString("x"), std::nullopt);
    EXPECT_EQ(key.ReadDword("x"), std::nullopt);
    EXPECT_EQ(key.ReadBytes("x", 100), std::nullopt);
    DWORD type = 0;
    std::vector<std::uint8_t> data{1, 2, 3};
    EXPECT_NE(key.ReadRawStatus("x", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(key.WriteString("x", "y"));
    EXPECT_FALSE(key.WriteDword("x", 1));
    EXPECT_FALSE(key.DeleteValue("x"));
    EXPECT_TRUE(key.Subkeys().empty());
    EXPECT_TRUE(key.Values().empty());
}

TEST_F(RegistryKeyContract, EachReadGivesOnlyValuesOfItsOwnKind)
{
    const DWORD number = 0x12345678;
    Raw("Number", REG_DWORD, &number, sizeof(number));
    Raw("Text", REG_SZ, "abc", 4);
    Raw("Unended", REG_SZ, "xyz", 3); // no closing NUL
    Raw("Expand", REG_EXPAND_SZ, "%TEMP%", 7);
    const std::uint8_t bytes[] = {1, 0, 2, 0, 3};
    Raw("Bytes", REG_BINARY, bytes, sizeof(bytes));
    Raw("Short", REG_DWORD, bytes, 3);

    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kRoot));
    EXPECT_EQ(key.ReadDword("Number"), 0x12345678u);
    EXPECT_EQ(key.ReadString("Number"), std::nullopt);
    EXPECT_EQ(key.ReadString("Text"), "abc");
    EXPECT_EQ(key.ReadDword("Text"), std::nullopt);
    EXPECT_EQ(key.ReadString("Unended"), "xyz");
    EXPECT_EQ(key.ReadString("Expand"), "%TEMP%"); // not expanded
    EXPECT_EQ(key.ReadString("Bytes"), std::nullopt);
    EXPECT_EQ(key.ReadDword("Short"), std::nullopt); // three bytes are no number
    EXPECT_EQ(key.ReadString("Missing"), std::nullopt);
    EXPECT_TRUE(key.ValueExists("Bytes"));
    EXPECT_FALSE(key.ValueExists("Missing"));

    // Raw bytes of any type, up to a limit, the limit included.
    EXPECT_EQ(key.ReadBytes("Bytes", 5), std::string("\x01\x00\x02\x00\x03", 5));
    EXPECT_EQ(key.ReadBytes("Bytes", 4), std::nullopt);
    EXPECT_EQ(key.ReadBytes("Text", 4), std::string("abc\0", 4));
    EXPECT_EQ(key.ReadBytes("Missing", 100), std::nullopt);
    DWORD type = 0;
    std::vector<std::uint8_t> data{9};
    EXPECT_EQ(key.ReadRawStatus("Missing", type, data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(data, std::vector<std::uint8_t>{9});
}

TEST_F(RegistryKeyContract, WritesSayWhetherTheyLanded)
{
    RegistryKey reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kRoot)); // read access only
    EXPECT_FALSE(reader.WriteString("Refused", "x"));
    EXPECT_FALSE(reader.ValueExists("Refused"));

    RegistryKey writer;
    ASSERT_TRUE(writer.Create(HKEY_CURRENT_USER, std::string(kRoot) + "\\New\\Deeper"));
    EXPECT_TRUE(writer.WriteString("Text", "one"));
    EXPECT_TRUE(writer.WriteDword("Number", 7));
    HKEY written = nullptr;
    ASSERT_EQ(RegOpenKeyExA(raw_, "New\\Deeper", 0, KEY_READ, &written), ERROR_SUCCESS);
    char text[8] = {};
    DWORD type = 0, size = sizeof(text);
    EXPECT_EQ(RegQueryValueExA(written, "Text", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    RegCloseKey(written);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "one");
    EXPECT_TRUE(writer.DeleteValue("Text"));
    EXPECT_FALSE(writer.DeleteValue("Text"));
    EXPECT_EQ(writer.ReadDword("Number"), 7u);
}

TEST_F(RegistryKeyContract, NamesOutsideTheCodePageAreKeptExactly)
{
    const std::wstring name = L"Caf\u00E9 \u4E2D\u6587"; // the last two have no place in code page 1252
    HKEY sub = nullptr;
    ASSERT_EQ(RegCreateKeyExW(raw_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
              ERROR_SUCCESS);
    const wchar_t data[] = L"\u4E2D";
    ASSERT_EQ(RegSetValueExW(sub, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof(data)),
              ERROR_SUCCESS);
    RegCloseKey(sub);

    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kRoot));
    const std::vector<RegistryName> subkeys = key.Subkeys();
    ASSERT_EQ(subkeys.size(), 1u);
    EXPECT_EQ(subkeys[0].exact, name);
    EXPECT_EQ(subkeys[0].text, test::InCodePage(name));
    EXPECT_NE(subkeys[0].text.find('?'), std::string::npos);
    EXPECT_EQ(key.SubkeyNames(), (std::vector<std::string>{test::InCodePage(name)}));
    // By its exact name the key opens; by its text it cannot.
    RegistryKey inner;
    ASSERT_TRUE(inner.Open(key, subkeys[0]));
    EXPECT_FALSE(RegistryKey().Open(HKEY_CURRENT_USER, std::string(kRoot) + "\\" + test::InCodePage(name)));
    const std::vector<RegistryValue> values = inner.Values();
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name.exact, name);
    EXPECT_EQ(values[0].type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(values[0].data.begin(), values[0].data.end()), test::InCodePage(std::wstring(data, 2)));
}

TEST_F(RegistryKeyContract, AMovedKeyHasOneOwner)
{
    RegistryKey first;
    ASSERT_TRUE(first.Open(HKEY_CURRENT_USER, kRoot, KEY_READ | KEY_WRITE));
    const HKEY handle = first.Handle();
    RegistryKey second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(second.Handle(), handle);
    RegistryKey third;
    third = std::move(second);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(third.WriteString("Moved", "yes"));
    EXPECT_FALSE(second.WriteString("Moved", "no"));
    third.Close();
    EXPECT_FALSE(third.IsOpen());
    EXPECT_FALSE(third.WriteString("Closed", "no"));
    RegistryKey check;
    ASSERT_TRUE(check.Open(HKEY_CURRENT_USER, kRoot));
    EXPECT_EQ(check.ReadString("Moved"), "yes");
    EXPECT_FALSE(check.ValueExists("Closed"));
}

} // namespace
} // namespace qm
