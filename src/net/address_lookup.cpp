#include "net/address_lookup.h"

#include "app/shell.h"
#include "net/address_text.h"
#include "platform/clipboard.h"
#include "platform/http_read.h"
#include "platform/message_box.h"

namespace velloran {
namespace {

// The IP-echo service: its page must hold "var ipaddress = '", the address and a closing
// apostrophe.
constexpr char kAddressPageUrl[] =
    "http://ipecho.velloran.org/templates/ipv6man/?id='ipv6'/></iframe>";

constexpr char kAddressLabel[] = "标签2";
constexpr char kMessageTitle[] = "提示";

const char* copyMessage(ClipboardOutcome outcome) {
    switch (outcome) {
        case ClipboardOutcome::Copied:
            return "已复制！";
        case ClipboardOutcome::Busy:
            return "复制失败：剪贴板正被其他程序占用";
        case ClipboardOutcome::NoMemory:
            return "复制失败：内存不足";
        case ClipboardOutcome::Refused:
            break;
    }
    return "复制失败：剪贴板不接受这段文字";
}

}  // namespace

void lookUpPublicAddress() {
    const Text page = bytesToText(readAddressPage(kAddressPageUrl));
    setControlText(WindowId::Main, kAddressLabel, cutAddress(page));
}

void copyAddress() {
    const ClipboardOutcome outcome = putTextOnClipboard(controlText(WindowId::Main, kAddressLabel));
    showMessage(copyMessage(outcome), kMessageTitle);
}

}  // namespace velloran
