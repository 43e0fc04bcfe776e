#pragma once
// System queries several collectors share.
#include <windows.h>

#include <string>
#include <vector>

#include "sysinfo/os_kind.h"

namespace qm {

// The basic version record (size field 148); zeroed when the call fails.
OSVERSIONINFOA BasicVersionRecord();
TOSKind OSKindOf(const OSVERSIONINFOA& record);
// OSKindOf(BasicVersionRecord()).
TOSKind GetOSKind();
// GetComputerNameA, replaced by the registry's computer name when it has one.
std::string GetComputerNameText();
std::string GetUserNameText();
// The parent of the desktop folder.
std::string GetProfilePath();
// The file-system path of a shell folder; empty for virtual folders.
std::string GetSpecialFolder(HWND owner, int folderId);
// The windows, system and temporary folders (the last with its backslash).
std::string WindowsDirectoryText();
std::string SystemDirectoryText();
std::string TempPathText();

// The devices of a device class: `valueName` of every instance of the first
// class under `classKey` (HKEY_LOCAL_MACHINE) named `className`, without
// duplicates; `classSubkey` names the class's own key.
void GetClassDevices(const std::string& classKey, const std::string& className, const std::string& valueName,
                     std::string& classSubkey, std::vector<std::string>& list);

// The process environment, one name=value per entry (4096 characters at most).
void GetEnvironmentList(std::vector<std::string>& list);

// A shortcut's target and arguments; the result code of the last step run.
HRESULT ResolveShortcut(const std::string& linkFile, std::string& target, std::string& arguments);

// "a.b.c.d" from the file's version resource, and its US English
// description; both empty without one.
std::string GetFileVerInfo(const std::string& fileName, std::string& description);

// The shell's properties sheet of a file; true when it opened.
bool ShowFileProperties(HWND window, const std::string& fileName);

} // namespace qm
