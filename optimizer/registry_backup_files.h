#pragma once
// The registry backup written at start: regbkup\bkkey1.reg (this Windows's
// TCP/IP tuning key) and regbkup\bkkey2.reg (the current user's connection
// limits), each written only when missing, never replaced.
#include <string>

#include "platform/system_services.h"

namespace qm {

// Writes the missing files into `folder` (with its trailing backslash),
// creating it; false when a missing file could not be written.
bool WriteRegistryBackup(const std::string& folder, const OsVersionInfo& version);

// The start-up step: beside the executable, else in the user's
// application-data folder. Silent: a backup must never stop the program.
void BackupRegistry(SystemServices& services);

// Where the fallback copy goes: "...\Application Data\Quarrimond\regbkup\".
std::string FallbackBackupFolder();

} // namespace qm
