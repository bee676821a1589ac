#pragma once

namespace velloran {

// Click of the main window's 按钮1 "创建服务器": checks the inputs, builds the server folder
// and, when every item is there, shows the completion window in dialog mode.
void createServer();

}  // namespace velloran
