#include "server/build_report.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velloran {
namespace {

using Item = ServerItem;

BuildResult builtWithUnmade(std::initializer_list<Item> failed) {
    BuildResult result{BuildOutcome::Built, {}};
    for (int i = 0; i < ServerItemCount; ++i) {
        const auto item = static_cast<Item>(i);
        result.items[i] = {item, std::find(failed.begin(), failed.end(), item) == failed.end()};
    }
    return result;
}

struct UnmadeCase {
    const char* what;
    std::initializer_list<Item> failed;
    std::initializer_list<Item> existingFolders;
    std::vector<Item> unmade;
};

TEST(BuildReport, NamesWhatFailedButNotFoldersThatWereThereAlready) {
    const UnmadeCase cases[] = {
        {"all made", {}, {}, {}},
        {"rebuild: both folders existed",
         {Item::ServerFolder, Item::PluginFolder},
         {Item::ServerFolder, Item::PluginFolder},
         {}},
        {"missing drive: nothing made, no folder there",
         {Item::ServerFolder, Item::StartScript, Item::Configuration, Item::OperatorList, Item::Jar,
          Item::PluginFolder},
         {},
         {Item::ServerFolder, Item::StartScript, Item::Configuration, Item::OperatorList, Item::Jar,
          Item::PluginFolder}},
        {"a file held open elsewhere",
         {Item::ServerFolder, Item::OperatorList},
         {Item::ServerFolder},
         {Item::OperatorList}},
        // Files are never excused by existing: a stale copy is not the one just asked for.
        {"jar not moved into an existing folder",
         {Item::ServerFolder, Item::Jar, Item::PluginFolder},
         {Item::ServerFolder, Item::PluginFolder},
         {Item::Jar}},
        {"plug-in folder could not be made", {Item::PluginFolder}, {}, {Item::PluginFolder}},
    };
    for (const UnmadeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto exists = [&](Item item) {
            return std::find(c.existingFolders.begin(), c.existingFolders.end(), item) !=
                   c.existingFolders.end();
        };
        EXPECT_EQ(unmadeItems(builtWithUnmade(c.failed), exists), c.unmade);
    }
}

TEST(BuildReport, MessageNamesEachUnmadeItemByItsPathOnTheDrive) {
    const Text message = buildFailureMessage("q", {Item::ServerFolder, Item::Jar});
    EXPECT_EQ(message.rfind(Text(kBuildFailedTitle) + "：", 0), 0u);
    EXPECT_NE(message.find("服务器文件夹：q:\\1.6.2MCPC+服务器\r\n"), Text::npos);
    EXPECT_NE(message.find("q:\\1.6.2MCPC+服务器\\mcpc-plus-1.6.2-R0.1-forge804-B36.jar\r\n"),
              Text::npos);
    EXPECT_EQ(message.find("ops.txt"), Text::npos);
    EXPECT_EQ(message.find("plugins"), Text::npos);
}

}  // namespace
}  // namespace velloran
