#include "platform/file_write.h"

#include <windows.h>

#include "platform/unique_resource.h"

namespace qm {

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    if (slash == 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

FileWriteResult Failed(DWORD code)
{
    return {false, SystemErrorText(code)};
}

} // namespace

std::string SystemErrorText(unsigned long code)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : "Error " + std::to_string(code) + ".";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes, ExistingFile existing)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Failed(ERROR_ACCESS_DENIED);
        if (existing == ExistingFile::Keep)
            return {true, {}};
        // Replacing would silently drop the protection the user gave it.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return Failed(ERROR_ACCESS_DENIED);
    }
    char temporary[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "qm", 0, temporary))
        return Failed(GetLastError());
    {
        UniqueHandle file(
            CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD code = GetLastError();
            DeleteFileA(temporary);
            return Failed(code);
        }
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.Get())) {
            const DWORD code = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
            file.Reset();
            DeleteFileA(temporary);
            return Failed(code);
        }
    }
    const DWORD flags = existing == ExistingFile::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (!MoveFileExA(temporary, path.c_str(), flags | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileA(temporary);
        // Another writer may have put the file there first; with Keep that is its file.
        if (existing == ExistingFile::Keep && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return {true, {}};
        return Failed(code);
    }
    return {true, {}};
}

} // namespace qm
