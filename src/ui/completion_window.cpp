#include "ui/completion_window.h"

#include "app/shell.h"
#include "platform/message_box.h"
#include "ui/resource_ids.h"

namespace velloran::ui {
namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kRed{255, 0, 0};
constexpr FontDescription kSongTi12{.face = "宋体", .height = 12, .weight = 400};
constexpr FontDescription kSongTi14{.face = "宋体", .height = 14, .weight = 400};
constexpr FontDescription kSongTi16{.face = "宋体", .height = 16, .weight = 400};
constexpr FontDescription kSongTi29{.face = "宋体", .height = 29, .weight = 400};

// Topmost first. 图片框4 and 图片框2 reach past the right edge and are cut there; 图片框2
// shows its tile at natural size.
constexpr ControlDescription kControls[] = {
    {.name = "图片框1",
     .kind = ControlKind::PictureBox,
     .x = 8,
     .y = 136,
     .width = 480,
     .height = 56,
     .flags = kVisible | kStretchPicture,
     .picture = IDP_COMPLETION_CONSOLE},
    {.name = "标签6",
     .kind = ControlKind::Label,
     .x = 16,
     .y = 208,
     .width = 320,
     .height = 32,
     .text = "提示：完美的服务器是需要各种各样不同的插件和mod的哦！如果你要搜索插件，请进入"
             "www.baidu.com查找",
     .textColour = kBlack,
     .font = kSongTi12,
     .flags = kVisible | kWordWrap},
    {.name = "按钮1",
     .kind = ControlKind::Button,
     .x = 344,
     .y = 192,
     .width = 136,
     .height = 48,
     .text = "去试试",
     .font = kSongTi16,
     .flags = kVisible | kTabStop},
    {.name = "标签5",
     .kind = ControlKind::Label,
     .x = 8,
     .y = 104,
     .width = 280,
     .height = 24,
     .text = "3.等到服务端加载完毕，你就成功开服了！！",
     .textColour = kBlack,
     .font = kSongTi14},
    {.name = "标签4",
     .kind = ControlKind::Label,
     .x = 8,
     .y = 80,
     .width = 360,
     .height = 24,
     .text = "2.打开1.6.2MCPC+服务器的文件夹，打开服务端.bat文件",
     .textColour = kBlack,
     .font = kSongTi14},
    {.name = "标签3",
     .kind = ControlKind::Label,
     .x = 8,
     .y = 56,
     .width = 248,
     .height = 24,
     .text = "1.服务器已经生产在了你所选的磁盘中",
     .textColour = kBlack,
     .font = kSongTi14},
    {.name = "标签2",
     .kind = ControlKind::Label,
     .x = 88,
     .y = 24,
     .width = 160,
     .height = 32,
     .text = "你现在已经是一个腐竹了！",
     .textColour = kRed},
    {.name = "标签1",
     .kind = ControlKind::Label,
     .x = 16,
     .y = 24,
     .width = 112,
     .height = 32,
     .text = "恭喜！",
     .textColour = kRed,
     .font = kSongTi29},
    {.name = "图片框4",
     .kind = ControlKind::PictureBox,
     .x = 288,
     .y = 8,
     .width = 248,
     .height = 88,
     .flags = kVisible | kStretchPicture,
     .picture = IDP_COMPLETION_WELCOME},
    {.name = "图片框2",
     .kind = ControlKind::PictureBox,
     .x = 344,
     .y = 88,
     .width = 160,
     .height = 56,
     .picture = IDP_COMPLETION_SCRIPT_TILE},
};

constexpr EventBinding kEvents[] = {
    {.source = "按钮1", .kind = EventKind::Click, .handler = showFarewell},
    {.source = nullptr, .kind = EventKind::CloseQuery, .handler = endWithoutFarewell},
};

constexpr const char* kTabOrder[] = {"按钮1"};

constexpr WindowDescription kCompletionWindow{
    .title = "",
    .width = 495,
    .height = 252,
    .frame = FrameStyle::Borderless,
    .controls = kControls,
    .events = kEvents,
    .tabOrder = kTabOrder,
};

}  // namespace

const WindowDescription& completionWindowDescription() {
    return kCompletionWindow;
}

void showFarewell() {
    showMessage("再次感谢您的使用,进入文件夹立即开服吧！\r\n服务器版本：1.6.2", "谢谢");
    destroyWindow(WindowId::Main);
    destroyWindow(WindowId::Completion);
}

void endWithoutFarewell() {
    // The window itself closes once this returns; the main window follows it.
    destroyWindow(WindowId::Main);
}

}  // namespace velloran::ui
