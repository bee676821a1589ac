#pragma once

#include "text.h"

namespace velloran {

// The small handlers of the main window: greeting, clock, web links, contact, jar browsing.

// Created event: the welcome box, while the window is still hidden.
void showGreeting();
// Click of 按钮7: the author's contact.
void showContact();
// Tick of 时钟1: the current local time into 标签3.
void updateClock();

// Hands an address to the Windows shell, which opens it in the default browser.
void openWebPage(const Text& address);
// Clicks of 按钮5, 按钮4 and 按钮6.
void openForumPage();
void openPluginThread();
void openJarSharePage();

// Click of 按钮2: picks the server jar and puts the dialog's path into 编辑框4.
void browseForJar();

}  // namespace velloran
