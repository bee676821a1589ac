#include "server/server_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "../expected_server_files.h"

namespace velloran {
namespace {

using expected::configuration;
using expected::javaLine;
using expected::serverFolder;
using expected::startScript;

const char* const jarHint =
    "jar\xB1\xD8\xD0\xEB\xCA\xC7\xD7\xD4\xB4\xF8\xB5\xC4"
    "mcpc+_151-R02_331.jar";

struct PortCall {
    enum Kind { CreateDirectory, WriteFile, MoveFile };
    Kind kind;
    std::string path;    // the destination of a move
    std::string source;  // moves only
    std::string bytes;   // writes only

    bool operator==(const PortCall&) const = default;
};

void PrintTo(const PortCall& call, std::ostream* out) {
    const char* const kinds[] = {"createDirectory", "writeFile", "moveFile"};
    *out << kinds[call.kind] << "(" << testing::PrintToString(call.source) << ", "
         << testing::PrintToString(call.path) << ", " << call.bytes.size() << " bytes)";
}

// Records every call and answers from a script of results (true once the script runs out).
class RecordingPort : public FileSystemPort {
  public:
    std::vector<PortCall> calls;
    std::vector<bool> answers;

    bool createDirectory(const Text& path) override {
        return record({PortCall::CreateDirectory, path, {}, {}});
    }
    bool writeFile(const Text& path, const Bytes& bytes) override {
        return record({PortCall::WriteFile, path, {}, std::string(bytes.begin(), bytes.end())});
    }
    bool moveFile(const Text& source, const Text& destination) override {
        return record({PortCall::MoveFile, destination, source, {}});
    }

  private:
    bool record(PortCall call) {
        calls.push_back(std::move(call));
        return calls.size() <= answers.size() ? answers[calls.size() - 1] : true;
    }
};

std::vector<PortCall> expectedCalls(const std::string& folder, const std::string& script,
                                    const std::string& operators, const std::string& jar) {
    return {
        {PortCall::CreateDirectory, folder, {}, {}},
        {PortCall::WriteFile, folder + "\\" + expected::startScriptName, {}, script},
        {PortCall::WriteFile, folder + "\\server.properties", {}, configuration},
        {PortCall::WriteFile, folder + "\\ops.txt", {}, operators},
        {PortCall::MoveFile, folder + "\\" + expected::jarName, jar, {}},
        {PortCall::CreateDirectory, folder + "\\plugins", {}, {}},
    };
}

TEST(BuildServerFolder, MakesEveryItemThroughThePortInOrder) {
    RecordingPort port;
    const ServerFolderInputs inputs{"D", "1024", "Steve", "C:\\Users\\me\\mcpc.jar"};

    const BuildResult result = BuildServerFolder(inputs, port);

    EXPECT_EQ(result.outcome, BuildOutcome::Built);
    const std::string script = startScript(javaLine("1024M", "1024M"));
    EXPECT_EQ(script.size(), 167u);
    EXPECT_EQ(port.calls, expectedCalls("D" + serverFolder, script, "Steve", inputs.jarPath));
}

TEST(BuildServerFolder, ConfigurationIsFixedBytes) {
    RecordingPort port;
    BuildServerFolder({"D", "1024", "", "x.jar"}, port);
    ASSERT_EQ(port.calls.size(), 6u);
    const std::string& written = port.calls[2].bytes;

    EXPECT_EQ(written.size(), 642u);
    EXPECT_EQ(written, configuration);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = written.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(written.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[20], "online-mode=ture");
    EXPECT_EQ(lines[24], "max-players=20");
}

TEST(BuildServerFolder, UsesEveryInputVerbatim) {
    struct Case {
        const char* what;
        ServerFolderInputs inputs;
        BuildOutcome outcome;
        std::string folder;
        std::string javaLine;
        std::string operators;
    };
    std::string oneByteOff = jarHint;
    oneByteOff[4] = '\xD9';
    std::string otherCase = jarHint;
    otherCase[0] = 'J';
    const Case cases[] = {
        {"drive with its colon",
         {"D:", "1024", "op", "a.jar"},
         BuildOutcome::Built,
         "D:" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"empty drive",
         {"", "1024", "op", "a.jar"},
         BuildOutcome::Built,
         serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"lower-case drive",
         {"e", "1024", "op", "a.jar"},
         BuildOutcome::Built,
         "e" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"empty memory",
         {"D", "", "op", "a.jar"},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("M", "M"),
         "op"},
        {"memory with a unit",
         {"D", "2G", "op", "a.jar"},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("2GM", "2GM"),
         "op"},
        {"memory without digits",
         {"D", "abc", "op", "a.jar"},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("abcM", "abcM"),
         "op"},
        {"empty operator",
         {"D", "1024", "", "a.jar"},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         ""},
        {"Chinese operator",
         {"D", "1024", "\xB9\xDC\xC0\xED\xD4\xB1", "a.jar"},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "\xB9\xDC\xC0\xED\xD4\xB1"},
        {"jar is the hint", {"D", "1024", "op", jarHint}, BuildOutcome::JarNotChosen, "", "", ""},
        {"jar one byte off the hint",
         {"D", "1024", "op", oneByteOff},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"jar is the hint in another case",
         {"D", "1024", "op", otherCase},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"jar is the hint and a blank",
         {"D", "1024", "op", std::string(jarHint) + " "},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"jar is the hint short of its last byte",
         {"D", "1024", "op", std::string(jarHint, 35)},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
        {"empty jar path",
         {"D", "1024", "op", ""},
         BuildOutcome::Built,
         "D" + serverFolder,
         javaLine("1024M", "1024M"),
         "op"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPort port;
        const BuildResult result = BuildServerFolder(c.inputs, port);
        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == BuildOutcome::JarNotChosen) {
            EXPECT_TRUE(port.calls.empty());
            continue;
        }
        EXPECT_EQ(port.calls,
                  expectedCalls(c.folder, startScript(c.javaLine), c.operators, c.inputs.jarPath));
    }
}

TEST(BuildServerFolder, ReportsEachItemAndRunsEveryStepWhateverFails) {
    const ServerItem order[] = {ServerItem::ServerFolder,  ServerItem::StartScript,
                                ServerItem::Configuration, ServerItem::OperatorList,
                                ServerItem::Jar,           ServerItem::PluginFolder};
    std::vector<std::vector<bool>> scripts = {std::vector<bool>(6, true),
                                              std::vector<bool>(6, false)};
    for (int failing = 0; failing < 6; ++failing) {
        scripts.emplace_back(6, true);
        scripts.back()[failing] = false;
    }
    const std::vector<PortCall> allCalls =
        expectedCalls("D" + serverFolder, startScript(javaLine("1024M", "1024M")), "op", "a.jar");
    for (const std::vector<bool>& answers : scripts) {
        RecordingPort port;
        port.answers = answers;
        const BuildResult result = BuildServerFolder({"D", "1024", "op", "a.jar"}, port);

        EXPECT_EQ(result.outcome, BuildOutcome::Built);
        EXPECT_EQ(port.calls, allCalls);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(result.items[i].item, order[i]);
            EXPECT_EQ(result.items[i].made, answers[i]) << "item " << i;
        }
    }
}

TEST(BuildServerFolder, ReportsNothingMadeWhenNoJarWasChosen) {
    RecordingPort port;
    const BuildResult result = BuildServerFolder({"D", "1024", "op", jarHint}, port);
    EXPECT_EQ(result.outcome, BuildOutcome::JarNotChosen);
    EXPECT_TRUE(port.calls.empty());
    for (const ItemResult& item : result.items) {
        EXPECT_FALSE(item.made);
    }
}

TEST(ServerItemPath, JoinsTheDriveAndTheItemsPlace) {
    EXPECT_EQ(serverItemPath("D", ServerItem::OperatorList), "D" + serverFolder + "\\ops.txt");
    EXPECT_EQ(serverItemPath(nullptr, ServerItem::StartScript),
              serverFolder + "\\" + expected::startScriptName);
    EXPECT_EQ(serverItemPath("d", ServerItem::PluginFolder), "d" + serverFolder + "\\plugins");
}

}  // namespace
}  // namespace velloran
