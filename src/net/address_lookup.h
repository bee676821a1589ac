#pragma once

namespace velloran {

// Created event of the main window, after the greeting: reads the echo page and puts
// the address (or nothing, when there is none) into 标签2.
void lookUpPublicAddress();

// Click of 按钮3: puts what 标签2 shows on the clipboard and says whether that worked.
void copyAddress();

}  // namespace velloran
