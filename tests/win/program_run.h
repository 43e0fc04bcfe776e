#pragma once
// The built program started as a person starts it: its own process, its own
// windows, found by their titles and captions from outside, and its boxes
// and exit code seen as the person would see them.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/unique_resource.h"
#include "test_support.h"

namespace qm::test {

inline constexpr char kMainWindowTitle[] = "Quarrimond v4.8";

// The folder of the test program, with its trailing backslash.
inline std::string TestProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    return folder.erase(folder.find_last_of("\\/") + 1);
}

// The program the build made, beside the tests' build folder.
inline std::string BuiltProgram(const char* name = "quarrimond.exe")
{
    return TestProgramFolder() + "..\\..\\app\\" + name;
}

class ProgramRun {
public:
    explicit ProgramRun(const std::string& program, const std::string& arguments = {})
    {
        std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            process_.Reset(info.hProcess);
            CloseHandle(info.hThread);
            id_ = info.dwProcessId;
        }
    }
    ~ProgramRun()
    {
        if (process_ && !Ended()) {
            if (HWND main = Window(kMainWindowTitle))
                PostMessageA(main, WM_CLOSE, 0, 0);
            if (!PumpUntil([&] { return Ended(); }, 20000))
                TerminateProcess(process_.Get(), 9);
            WaitForSingleObject(process_.Get(), 10000);
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    bool Ended() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; }
    // 259 (still active) while it runs.
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }

    // A visible top-level window of the program with this title.
    HWND Window(const std::string& title, const char* className = nullptr) const
    {
        for (HWND window : TopLevelWindows())
            if (WindowTitle(window) == title && (!className || WindowClass(window) == className))
                return window;
        return nullptr;
    }
    HWND WaitForWindow(const std::string& title, int ms = 60000) const
    {
        HWND found = nullptr;
        PumpUntil([&] { return (found = Window(title)) != nullptr || Ended(); }, ms);
        return found;
    }
    // The message boxes and dialogs the program shows now.
    std::vector<HWND> Boxes() const
    {
        std::vector<HWND> boxes;
        for (HWND window : TopLevelWindows())
            if (WindowClass(window) == "#32770")
                boxes.push_back(window);
        return boxes;
    }
    std::vector<HWND> TopLevelWindows() const
    {
        struct Search {
            DWORD process;
            std::vector<HWND> found;
        } search{id_, {}};
        EnumWindows(
            [](HWND window, LPARAM data) WINAPI -> BOOL {
                auto& s = *reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s.process && IsWindowVisible(window))
                    s.found.push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Asks it to end as its close box does, and waits.
    bool Close(int ms = 60000)
    {
        if (HWND main = Window(kMainWindowTitle))
            PostMessageA(main, WM_CLOSE, 0, 0);
        return WaitForEnd(ms);
    }
    bool WaitForEnd(int ms = 60000) const
    {
        return PumpUntil([&] { return Ended(); }, ms);
    }

    static std::string WindowTitle(HWND window)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }
    static std::string WindowClass(HWND window)
    {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        return name;
    }

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// A child window of `parent`, at any depth, whose text is `text`.
inline HWND ChildWithText(HWND parent, const std::string& text)
{
    struct Search {
        const std::string& text;
        HWND found;
    } search{text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) WINAPI -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (IsWindowVisible(window) && ProgramRun::WindowTitle(window) == s.text) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A folder of its own with a copy of the built program, taken away after.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::string& label)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        folder_ = std::string(temp) + "qm-" + label + "-" + std::to_string(GetCurrentProcessId()) + "\\";
        Remove();
        CreateDirectoryA(folder_.c_str(), nullptr);
        CopyFileA(BuiltProgram().c_str(), Program().c_str(), FALSE);
    }
    ~ProgramCopy() { Remove(); }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string Program() const { return folder_ + "quarrimond.exe"; }

private:
    void Remove()
    {
        // Double NUL ended, as the shell wants it.
        std::string from = folder_.substr(0, folder_.size() - 1) + '\0';
        SHFILEOPSTRUCTA operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&operation);
    }
    std::string folder_;
};

// A key of the current user's put aside for a test, with all below it, and
// put back afterwards as it was.
class KeyPutAside {
public:
    explicit KeyPutAside(std::string path) : path_(std::move(path))
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSaved);
        HKEY saved = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSaved, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &saved, nullptr);
        HKEY original = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &original) == ERROR_SUCCESS) {
            existed_ = SHCopyKeyA(original, nullptr, saved, 0) == ERROR_SUCCESS;
            RegCloseKey(original);
        }
        RegCloseKey(saved);
        SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    ~KeyPutAside()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        if (existed_) {
            HKEY saved = nullptr, original = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, kSaved, 0, KEY_READ, &saved);
            RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &original,
                            nullptr);
            SHCopyKeyA(saved, nullptr, original, 0);
            RegCloseKey(original);
            RegCloseKey(saved);
        }
        SHDeleteKeyA(HKEY_CURRENT_USER, kSaved);
    }
    KeyPutAside(const KeyPutAside&) = delete;
    KeyPutAside& operator=(const KeyPutAside&) = delete;

private:
    static constexpr char kSaved[] = "QuarrimondTestKeyPutAside";
    std::string path_;
    bool existed_ = false;
};

// A file's bytes; a registry file of version 5 (UTF-16) as plain text.
inline std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
        return bytes;
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += bytes[i + 1] ? '?' : bytes[i];
    return text;
}

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace qm::test
