#pragma once

#include <functional>
#include <vector>

#include "server/server_folder.h"
#include "text.h"

namespace velloran {

inline constexpr char kBuildFailedTitle[] = "服务器创建失败";

// The items a finished build left unmade. A folder that was there before counts as made:
// building again on the same drive is no failure.
std::vector<ServerItem> unmadeItems(const BuildResult& result,
                                    const std::function<bool(ServerItem)>& folderExists);

// Names each unmade item with its path on the drive and says what to do about it.
Text buildFailureMessage(const Text& drive, const std::vector<ServerItem>& unmade);

}  // namespace velloran
