#pragma once

#include "text.h"

namespace velloran {

// The file-system operations the server folder builder needs. Paths are GBK texts in Windows form
// ("D:\folder\file"); every operation reports whether it succeeded.
class FileSystemPort {
  public:
    virtual ~FileSystemPort() = default;

    // Creates exactly one directory; fails when it exists, when its parent is missing or when the
    // path is not valid. Never creates missing parents.
    virtual bool createDirectory(const Text& path) = 0;

    // Creates the file or truncates an existing one, writes the bytes as they are and closes it.
    // An empty path fails at once. Never creates a missing folder.
    virtual bool writeFile(const Text& path, const Bytes& bytes) = 0;

    // Renames source to destination; when that fails, copies over the destination (replacing it)
    // and then deletes the source. True when the rename or the copy succeeded, even if the delete
    // after a copy failed; on false nothing has changed.
    virtual bool moveFile(const Text& source, const Text& destination) = 0;
};

}  // namespace velloran
