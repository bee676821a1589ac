#pragma once

#include <string>

// What the server folder's files must hold, written out byte for byte (GBK as escapes) so that
// the tests do not share a single table with the code they check.
namespace velloran::expected {

inline const std::string serverFolder = ":\\1.6.2MCPC+\xB7\xFE\xCE\xF1\xC6\xF7";
inline const std::string startScriptName = "\xB7\xFE\xCE\xF1\xB6\xCB.bat";
inline const std::string jarName = "mcpc-plus-1.6.2-R0.1-forge804-B36.jar";

inline const std::string configuration =
    "#Minecraft server properties\r\n"
    "#Tue Jan 21 22:43:37 CST 2014\r\n"
    "generator-settings=\r\n"
    "allow-nether=true\r\n"
    "level-name=world\r\n"
    "enable-query=false\r\n"
    "allow-flight=false\r\n"
    "server-port=25565\r\n"
    "level-type=DEFAULT\r\n"
    "enable-rcon=false\r\n"
    "force-gamemode=false\r\n"
    "level-seed=\r\n"
    "server-ip=\r\n"
    "max-build-height=256\r\n"
    "spawn-npcs=true\r\n"
    "white-list=false\r\n"
    "spawn-animals=true\r\n"
    "hardcore=false\r\n"
    "snooper-enabled=true\r\n"
    "texture-pack=\r\n"
    "online-mode=ture\r\n"
    "pvp=false\r\n"
    "difficulty=3\r\n"
    "gamemode=0\r\n"
    "max-players=20\r\n"
    "spawn-monsters=true\r\n"
    "generate-structures=true\r\n"
    "view-distance=10\r\n"
    "spawn-protection=16\r\n"
    "motd=1.6.2\\u00B5\\u00C4\\u00D0\\u00A1\\u00D0\\u00CDhamachi"
    "\\u00C9\\u00FA\\u00B4\\u00E6\\u00B7\\u00FE\r\n";

// The start script with the line that carries the memory text in its place.
inline std::string startScript(const std::string& javaLine) {
    return "@ECHO OFF\r\n"
           "color 2\r\n"
           "title MC\xD0\xA1\xD0\xCD\xC9\xFA\xB4\xE6\xB7\xFE\r\n"
           "CD /D \"%BINDIR%\"\r\n" +
           javaLine + "\r\nPAUSE";
}

inline std::string javaLine(const std::string& xmx, const std::string& xms) {
    return "\"%ProgramFiles%\\Java\\jre7\\bin\\java.exe\" -Xmx" + xmx + " -Xms" + xms +
           " -jar mcpc-plus-1.6.2-R0.1-forge804-B36.jar";
}

}  // namespace velloran::expected
