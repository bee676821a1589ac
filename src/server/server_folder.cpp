#include "server/server_folder.h"

#include <string_view>

namespace velloran {
namespace {

// Appended directly to the drive text, in ServerItem order.
constexpr const char* itemSuffixes[ServerItemCount] = {
    ":\\1.6.2MCPC+服务器",
    ":\\1.6.2MCPC+服务器\\服务端.bat",
    ":\\1.6.2MCPC+服务器\\server.properties",
    ":\\1.6.2MCPC+服务器\\ops.txt",
    ":\\1.6.2MCPC+服务器\\mcpc-plus-1.6.2-R0.1-forge804-B36.jar",
    ":\\1.6.2MCPC+服务器\\plugins",
};

// The start script is head, memory, "M -Xms", memory, tail; BINDIR is left unset on purpose.
constexpr char startScriptHead[] =
    "@ECHO OFF\r\n"
    "color 2\r\n"
    "title MC小型生存服\r\n"
    "CD /D \"%BINDIR%\"\r\n"
    "\"%ProgramFiles%\\Java\\jre7\\bin\\java.exe\" -Xmx";
constexpr char startScriptMiddle[] = "M -Xms";
constexpr char startScriptTail[] =
    "M -jar mcpc-plus-1.6.2-R0.1-forge804-B36.jar\r\n"
    "PAUSE";

// server.properties, one row per line; the file ends every line with CR LF. The odd values
// ("ture", the fixed date) are what the server has always been shipped with.
constexpr std::string_view configurationLines[] = {
    "#Minecraft server properties",
    "#Tue Jan 21 22:43:37 CST 2014",
    "generator-settings=",
    "allow-nether=true",
    "level-name=world",
    "enable-query=false",
    "allow-flight=false",
    "server-port=25565",
    "level-type=DEFAULT",
    "enable-rcon=false",
    "force-gamemode=false",
    "level-seed=",
    "server-ip=",
    "max-build-height=256",
    "spawn-npcs=true",
    "white-list=false",
    "spawn-animals=true",
    "hardcore=false",
    "snooper-enabled=true",
    "texture-pack=",
    "online-mode=ture",
    "pvp=false",
    "difficulty=3",
    "gamemode=0",
    "max-players=20",
    "spawn-monsters=true",
    "generate-structures=true",
    "view-distance=10",
    "spawn-protection=16",
    R"(motd=1.6.2\u00B5\u00C4\u00D0\u00A1\u00D0\u00CDhamachi\u00C9\u00FA\u00B4\u00E6\u00B7\u00FE)",
};

Bytes configurationBytes() {
    Bytes bytes;
    for (const std::string_view line : configurationLines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}

}  // namespace

Text serverItemPath(TextRef drive, ServerItem item) {
    return JoinTexts({drive, itemSuffixes[static_cast<int>(item)]});
}

BuildResult BuildServerFolder(const ServerFolderInputs& inputs, FileSystemPort& fileSystem) {
    BuildResult result{BuildOutcome::JarNotChosen, {}};
    for (int i = 0; i < ServerItemCount; ++i) {
        result.items[i] = {static_cast<ServerItem>(i), false};
    }
    if (CompareText(inputs.jarPath, JarHintText) == 0) {
        return result;
    }
    const auto path = [&](ServerItem item) { return serverItemPath(inputs.drive, item); };
    const auto record = [&](ServerItem item, bool made) {
        result.items[static_cast<int>(item)].made = made;
    };

    record(ServerItem::ServerFolder, fileSystem.createDirectory(path(ServerItem::ServerFolder)));

    const Text startScript = JoinTexts(
        {startScriptHead, inputs.memory, startScriptMiddle, inputs.memory, startScriptTail});
    record(ServerItem::StartScript,
           fileSystem.writeFile(path(ServerItem::StartScript), toBytes(startScript)));

    record(ServerItem::Configuration,
           fileSystem.writeFile(path(ServerItem::Configuration), configurationBytes()));

    record(ServerItem::OperatorList,
           fileSystem.writeFile(path(ServerItem::OperatorList), toBytes(inputs.operatorName)));

    record(ServerItem::Jar, fileSystem.moveFile(inputs.jarPath, path(ServerItem::Jar)));

    record(ServerItem::PluginFolder, fileSystem.createDirectory(path(ServerItem::PluginFolder)));

    result.outcome = BuildOutcome::Built;
    return result;
}

}  // namespace velloran
