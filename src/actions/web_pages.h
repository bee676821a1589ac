#pragma once

namespace velloran {

// The pages the link buttons open, kept together so a moved page is a one-line change.
inline constexpr char kForumPageUrl[] =
    "http://tieba.baidu.com/f?kw=%E6%88%91%E7%9A%84%E4%B8%96%E7%95%8C&ie=utf-8&fr=wwwt";
inline constexpr char kPluginThreadUrl[] = "http://www.mcbbs.net/thread-26473-1-1.html";
inline constexpr char kJarSharePageUrl[] = "http://pan.baidu.com/s/1i3G8M9n";

}  // namespace velloran
