#include "server/build_report.h"

namespace velloran {
namespace {

bool isFolder(ServerItem item) {
    return item == ServerItem::ServerFolder || item == ServerItem::PluginFolder;
}

const char* itemName(ServerItem item) {
    switch (item) {
        case ServerItem::ServerFolder:
            return "服务器文件夹";
        case ServerItem::StartScript:
            return "启动脚本";
        case ServerItem::Configuration:
            return "服务器配置";
        case ServerItem::OperatorList:
            return "管理员列表";
        case ServerItem::Jar:
            return "服务端jar文件";
        case ServerItem::PluginFolder:
            return "插件文件夹";
    }
    return "";
}

}  // namespace

std::vector<ServerItem> unmadeItems(const BuildResult& result,
                                    const std::function<bool(ServerItem)>& folderExists) {
    std::vector<ServerItem> unmade;
    for (const ItemResult& entry : result.items) {
        if (!entry.made && !(isFolder(entry.item) && folderExists(entry.item))) {
            unmade.push_back(entry.item);
        }
    }
    return unmade;
}

Text buildFailureMessage(const Text& drive, const std::vector<ServerItem>& unmade) {
    Text message = "服务器创建失败：以下项目未能创建\r\n";
    for (const ServerItem item : unmade) {
        message += itemName(item);
        message += "：";
        message += serverItemPath(drive, item);
        message += "\r\n";
    }
    message += "请确认盘符存在且可以写入，文件没有被其他程序占用，然后重试";
    return message;
}

}  // namespace velloran
