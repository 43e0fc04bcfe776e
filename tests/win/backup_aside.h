#pragma once
// The registry backup's copies in the application-data folder, out of the way
// for a test that needs a user without them, and back after it.
#include <windows.h>

#include <string>

#include "optimizer/registry_backup_files.h"

namespace qm::test {

class FallbackCopiesAside {
public:
    FallbackCopiesAside() : folder_(FallbackBackupFolder())
    {
        for (const char* name : kBackupFileNames) {
            DeleteFileA((folder_ + name + ".aside").c_str());
            MoveFileA((folder_ + name).c_str(), (folder_ + name + ".aside").c_str());
        }
    }
    ~FallbackCopiesAside()
    {
        for (const char* name : kBackupFileNames) {
            DeleteFileA((folder_ + name).c_str());
            MoveFileA((folder_ + name + ".aside").c_str(), (folder_ + name).c_str());
        }
    }
    FallbackCopiesAside(const FallbackCopiesAside&) = delete;
    FallbackCopiesAside& operator=(const FallbackCopiesAside&) = delete;
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

} // namespace qm::test
