#include "server/create_action.h"

#include <windows.h>

#include "app/shell.h"
#include "platform/message_box.h"
#include "platform/windows_file_system.h"
#include "server/build_report.h"
#include "server/input_check.h"
#include "server/server_folder.h"

namespace velloran {
namespace {

bool isExistingFile(const Text& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isExistingFolder(const Text& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

ServerFolderInputs mainWindowInputs() {
    return {
        .drive = controlText(WindowId::Main, "编辑框3"),
        .memory = controlText(WindowId::Main, "编辑框2"),
        .operatorName = controlText(WindowId::Main, "编辑框5"),
        .jarPath = controlText(WindowId::Main, "编辑框4"),
    };
}

}  // namespace

void createServer() {
    const ServerFolderInputs inputs = mainWindowInputs();
    if (CompareText(inputs.jarPath, JarHintText) == 0) {
        showMessage("jar路径错误：请选中‘Velloran’中的mcpc+_151-R02_331.jar文件", "jar路径错误");
        return;
    }
    // Nothing on disk is touched for inputs that would make a broken folder or script.
    if (const auto problem =
            checkInputs(inputs.drive, inputs.memory, isExistingFile(inputs.jarPath))) {
        showMessage(problem->message, problem->title);
        return;
    }

    WindowsFileSystem fileSystem;
    const BuildResult result = BuildServerFolder(inputs, fileSystem);
    const std::vector<ServerItem> unmade = unmadeItems(result, [&](ServerItem folder) {
        return isExistingFolder(serverItemPath(inputs.drive, folder));
    });
    if (!unmade.empty()) {
        // The main window stays as it is, so the user can put things right and try again.
        showMessage(buildFailureMessage(inputs.drive, unmade), kBuildFailedTitle);
        return;
    }

    loadWindow(WindowId::Completion, true);
    setWindowVisible(WindowId::Main, false);
}

}  // namespace velloran
