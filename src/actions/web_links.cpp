#include <windows.h>
// Needs the declarations of windows.h first.
#include <shellapi.h>

#include "actions/auxiliary_actions.h"
#include "actions/web_pages.h"

namespace velloran {

void openWebPage(const Text& address) {
    // An open browser window, when there is one, owns whatever the shell shows about the request.
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    // Nobody is told when the page does not open: the shell reports on its own.
    ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void openForumPage() {
    openWebPage(kForumPageUrl);
}
void openPluginThread() {
    openWebPage(kPluginThreadUrl);
}
void openJarSharePage() {
    openWebPage(kJarSharePageUrl);
}

}  // namespace velloran
