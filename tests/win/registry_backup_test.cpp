// The registry backup the built program keeps to undo the Optimization
// Wizard, as a person meets it: a first start on a fresh profile, a key it
// may not read, and a first start that could only write the copy into the
// application-data folder. The files are imported with the system's own
// registry editor and the registry read back.
#include <gtest/gtest.h>

#include "backup_aside.h"
#include "optimizer/registry_backup_files.h"
#include "optimizer_support.h"
#include "program_run.h"
#include "registry_fixture.h"
#include "x_input.h"

// After <windows.h>.
#include <sddl.h>

namespace qm {
namespace {

constexpr char kWizardTitle[] = "Quarrimond Optimization Wizard";

bool ImportWithRegedit(const std::string& file)
{
    std::string command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    const bool done = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    CloseHandle(process.hProcess);
    return done;
}

std::optional<DWORD> Dword(HKEY root, const char* path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD value = 0, size = sizeof(value), type = 0;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool KeyExists(HKEY root, const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Clicks the control of `window` captioned `caption` once it is shown.
bool ClickCaption(HWND window, const std::string& caption)
{
    HWND control = nullptr;
    test::PumpUntil([&] { return (control = test::ChildWithText(window, caption)) != nullptr; }, 10000);
    return control && test::XClick(control);
}

TEST(StartedProgramBackup, AKeyAbsentAtTheFirstStartIsNotDeletedWholeByTheUndo)
{
    // A fresh profile: the user's Internet settings key does not exist yet.
    test::KeyPutAside internetSettings(test::kInternetKey);
    test::FallbackCopiesAside fallback;
    test::RegistryFixture registry;
    // Windows XP for the program: the wizard writes its values there.
    registry.Text(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\quarrimond.exe", "Version", "winxp");
    for (const TweakValue& value : ChooseTweakTable("Windows NT", 5)->values)
        registry.Remove(HKEY_LOCAL_MACHINE, test::kTcpipKey, std::string(value.name));
    SHDeleteKeyA(HKEY_CURRENT_USER, "Quarrimond\\OptWizSettings");
    test::ProgramCopy copy("absent-key");
    const std::string limitsFile = copy.Folder() + "regbkup\\bkkey2.reg";

    {
        test::ProgramRun run(copy.Program());
        HWND main = run.WaitForWindow(test::kMainWindowTitle);
        ASSERT_TRUE(main) << run.ExitCode();
        ASSERT_TRUE(test::FileExists(limitsFile));
        EXPECT_EQ(test::FileText(limitsFile).find("[-"), std::string::npos) << test::FileText(limitsFile);

        // A person optimizes the Internet connection.
        test::MakeForeground(main);
        ASSERT_TRUE(ClickCaption(main, "Optimize it!"));
        HWND wizard = run.WaitForWindow(kWizardTitle);
        ASSERT_TRUE(wizard);
        test::MakeForeground(wizard);
        ASSERT_TRUE(ClickCaption(wizard, "Next >"));
        ASSERT_TRUE(ClickCaption(wizard, "Optimize your internet connection"));
        ASSERT_TRUE(ClickCaption(wizard, "Next >"));
        ASSERT_TRUE(ClickCaption(wizard, "Next >"));
        test::DialogAnswerer no("Confirm", test::ClickButton("&No"));
        ASSERT_TRUE(ClickCaption(wizard, "Finish"));
        ASSERT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(wizard); }, 60000));
        no.Stop();
        EXPECT_EQ(no.Answered(), 1);
        ASSERT_TRUE(Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer"));
        EXPECT_TRUE(run.Close());
    }
    // Later something else keeps its own setting in the key.
    registry.Dword(HKEY_CURRENT_USER, test::kInternetKey, "ProxyEnable", 1);

    // Undoing the wizard, as the README says.
    ASSERT_TRUE(ImportWithRegedit(limitsFile));
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, test::kInternetKey));
    EXPECT_EQ(Dword(HKEY_CURRENT_USER, test::kInternetKey, "ProxyEnable"), 1u);
    EXPECT_FALSE(Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer"));
    EXPECT_FALSE(Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPer1_0Server"));
}

// The key is there, but this user may not read it.
class UnreadableKey {
public:
    explicit UnreadableKey(const char* path)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        DWORD size = 0;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        previous_.resize(size);
        if (RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, previous_.data(), &size) != ERROR_SUCCESS)
            previous_.clear();
        PSECURITY_DESCRIPTOR denied = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;KR;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &denied,
                                                             nullptr);
        applied_ = denied && RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, denied) == ERROR_SUCCESS;
        LocalFree(denied);
    }
    ~UnreadableKey()
    {
        // Through the handle opened before: it keeps its rights.
        if (!previous_.empty())
            RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, previous_.data());
        RegCloseKey(key_);
    }
    UnreadableKey(const UnreadableKey&) = delete;
    UnreadableKey& operator=(const UnreadableKey&) = delete;
    bool Applied() const { return applied_; }

private:
    HKEY key_ = nullptr;
    std::vector<BYTE> previous_;
    bool applied_ = false;
};

TEST(StartedProgramBackup, AKeyThatCannotBeReadGetsNoBackupAndOneBoxSaysWhy)
{
    test::FallbackCopiesAside fallback;
    test::ProgramCopy copy("unreadable-key");
    UnreadableKey unreadable(test::kInternetKey);
    ASSERT_TRUE(unreadable.Applied());
    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, test::kInternetKey, 0, KEY_QUERY_VALUE, &probe), ERROR_ACCESS_DENIED);

    test::DialogAnswerer ok("Quarrimond", test::ClickButton("OK"), 2);
    test::ProgramRun run(copy.Program());
    ASSERT_TRUE(run.WaitForWindow(test::kMainWindowTitle)) << run.ExitCode();
    // The other file does not depend on that key.
    EXPECT_TRUE(test::FileExists(copy.Folder() + "regbkup\\bkkey1.reg"));
    EXPECT_FALSE(test::FileExists(copy.Folder() + "regbkup\\bkkey2.reg"));
    EXPECT_FALSE(test::FileExists(fallback.Folder() + "bkkey2.reg"));
    EXPECT_TRUE(run.Close());
    ok.Stop();
    ASSERT_EQ(ok.Texts().size(), 1u);
    EXPECT_NE(ok.Texts()[0].find("Internet Settings"), std::string::npos) << ok.Texts()[0];
    EXPECT_NE(ok.Texts()[0].find("denied"), std::string::npos) << ok.Texts()[0];
}

TEST(StartedProgramBackup, ACopyInTheApplicationDataFolderCountsAsMade)
{
    test::FallbackCopiesAside fallback;
    test::RegistryFixture registry;
    registry.Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer", 4);
    test::ProgramCopy copy("either-place");
    // The first start cannot write beside the program: a file stands where its folder would go.
    const std::string beside = copy.Folder() + "regbkup";
    {
        HANDLE blocker = CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
        CloseHandle(blocker);
    }
    {
        test::ProgramRun run(copy.Program());
        ASSERT_TRUE(run.WaitForWindow(test::kMainWindowTitle)) << run.ExitCode();
        EXPECT_TRUE(run.Close());
    }
    ASSERT_TRUE(test::FileExists(fallback.Folder() + "bkkey2.reg"));
    EXPECT_NE(test::FileText(fallback.Folder() + "bkkey2.reg").find("dword:00000004"), std::string::npos);

    // The wizard has run since; now the folder beside the program can be written.
    registry.Dword(HKEY_CURRENT_USER, test::kInternetKey, "MaxConnectionsPerServer", 10);
    ASSERT_TRUE(DeleteFileA(beside.c_str()));
    {
        test::ProgramRun run(copy.Program());
        ASSERT_TRUE(run.WaitForWindow(test::kMainWindowTitle)) << run.ExitCode();
        EXPECT_TRUE(run.Close());
    }
    EXPECT_FALSE(test::FileExists(beside + "\\bkkey1.reg"));
    EXPECT_FALSE(test::FileExists(beside + "\\bkkey2.reg"));
    EXPECT_NE(test::FileText(fallback.Folder() + "bkkey2.reg").find("dword:00000004"), std::string::npos);
}

} // namespace
} // namespace qm
