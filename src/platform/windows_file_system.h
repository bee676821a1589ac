#pragma once

#include "server/file_system_port.h"

namespace velloran {

// The file-system port over the ANSI file APIs: paths go to Windows as the GBK bytes they are.
class WindowsFileSystem : public FileSystemPort {
  public:
    bool createDirectory(const Text& path) override;
    bool writeFile(const Text& path, const Bytes& bytes) override;
    bool moveFile(const Text& source, const Text& destination) override;
};

}  // namespace velloran
