#include "actions/auxiliary_actions.h"
#include "platform/message_box.h"

namespace velloran {
namespace {

// The author's QQ number, in the greeting and in the contact box alike.
constexpr char kAuthorQq[] = "2894175063";

}  // namespace

void showGreeting() {
    showMessage(
        Text("欢迎使用由Tolvane制作的《Velloran1.6.2》,如果有什么问题,请询问QQ") + kAuthorQq,
        "欢迎");
}

void showContact() {
    showMessage(Text("作者QQ") + kAuthorQq, "感谢");
}

}  // namespace velloran
