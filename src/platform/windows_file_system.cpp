#include "platform/windows_file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/handles.h"

namespace velloran {

bool WindowsFileSystem::createDirectory(const Text& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool WindowsFileSystem::writeFile(const Text& path, const Bytes& bytes) {
    if (path.empty()) {
        return false;
    }
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    // WriteFile counts in DWORDs, so a buffer beyond 4 GB goes in pieces.
    constexpr std::size_t largestWrite = 1u << 30;
    for (std::size_t offset = 0; offset < bytes.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min(bytes.size() - offset, largestWrite));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + offset, wanted, &written, nullptr) ||
            written == 0) {
            return false;
        }
        offset += written;
    }
    return CloseHandle(file.release()) != FALSE;
}

bool WindowsFileSystem::moveFile(const Text& source, const Text& destination) {
    if (MoveFileA(source.c_str(), destination.c_str())) {
        return true;
    }
    // The rename fails across volumes or onto an existing file; a copy replaces it.
    if (!CopyFileA(source.c_str(), destination.c_str(), FALSE)) {
        return false;
    }
    DeleteFileA(source.c_str());
    return true;
}

}  // namespace velloran
