#pragma once

#include <array>

#include "server/file_system_port.h"
#include "server/text_routines.h"
#include "text.h"

namespace velloran {

// What 编辑框4 shows until a jar is picked; a jar path equal to it means no jar was chosen.
inline constexpr char JarHintText[] = "jar必须是自带的mcpc+_151-R02_331.jar";

// The four texts of the main window, used verbatim: no trimming, no case change, no checks.
struct ServerFolderInputs {
    Text drive;         // "D": every path is this followed by ":\1.6.2MCPC+服务器..."
    Text memory;        // megabytes, put into the start script twice, each time followed by "M"
    Text operatorName;  // the whole content of ops.txt
    Text jarPath;       // the jar to move into the folder
};

enum class BuildOutcome {
    JarNotChosen,  // the jar path was the hint text; nothing was touched
    Built,         // every step ran, whatever each one's result
};

// The items the builder makes, in the order it makes them.
enum class ServerItem {
    ServerFolder,
    StartScript,
    Configuration,
    OperatorList,
    Jar,
    PluginFolder,
};
inline constexpr int ServerItemCount = 6;

struct ItemResult {
    ServerItem item;
    bool made;
};

struct BuildResult {
    BuildOutcome outcome;
    // One entry per item in build order; meaningful only when outcome is Built (all false
    // otherwise). Lets the caller name whatever could not be made.
    std::array<ItemResult, ServerItemCount> items;
};

// The path of one item on the given drive, e.g. "D:\1.6.2MCPC+服务器\ops.txt".
Text serverItemPath(TextRef drive, ServerItem item);

// Checks that a jar was chosen, then creates the folder, writes the start script, the
// configuration and the operator list, moves the jar in and creates the plug-in folder. Every step
// runs whatever became of the earlier ones.
BuildResult BuildServerFolder(const ServerFolderInputs& inputs, FileSystemPort& fileSystem);

}  // namespace velloran
