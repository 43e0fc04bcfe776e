#pragma once
// The registry backup written at start: regbkup\bkkey1.reg (this Windows's
// TCP/IP tuning key) and regbkup\bkkey2.reg (the current user's connection
// limits), each written only when missing, never replaced.
#include <optional>
#include <string>

#include "platform/system_services.h"

namespace qm {

inline constexpr const char* kBackupFileNames[] = {"bkkey1.reg", "bkkey2.reg"};

// The bytes of backup file `index` (0 or 1) as the registry holds its keys
// now; nothing, with the reason in `failure`, when a key or value could not
// be read for any reason but its absence: a file must never record a guess.
std::optional<std::string> RegistryBackupBytes(int index, const OsVersionInfo& version, std::string& failure);

// Writes the missing files into `folder` (with its trailing backslash),
// creating it; false, with the reason in `failure` when given, when a
// missing file could not be read or written.
bool WriteRegistryBackup(const std::string& folder, const OsVersionInfo& version, std::string* failure = nullptr);

// The start-up step: each file that is in neither place is written beside
// the executable, else in the user's application-data folder. A file that
// cannot be made never stops the program; when a key cannot be read, one
// box says so.
void BackupRegistry(SystemServices& services);

// Where the fallback copy goes: "...\Application Data\Quarrimond\regbkup\";
// empty when the system names no such folder. Nothing is created.
std::string FallbackBackupFolder();

} // namespace qm
