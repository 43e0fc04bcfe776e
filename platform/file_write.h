#pragma once
// Whole files written so that a file under its own name is always complete:
// the bytes go to a new file in the same folder, which then takes the name.
#include <string>
#include <string_view>

namespace qm {

enum class ExistingFile { Keep, Replace };

struct FileWriteResult {
    bool ok = false;
    // The system's reason when not ok ("Access is denied.").
    std::string reason;
};

// With Keep, a file already at `path` stays as it is and counts as written.
// On failure nothing at `path` has changed and no temporary file is left.
FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes, ExistingFile existing);

// The text of a system error code, without its line break.
std::string SystemErrorText(unsigned long code);

} // namespace qm
