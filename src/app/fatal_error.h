#pragma once

#include <cstddef>

namespace velloran {

// The size of the last allocation that operator new was asked for.
std::size_t lastRequestedAllocationSize();

// The fatal error box for an allocation that failed: "分配 %d 字节内存失败!".
[[noreturn]] void fatalAllocationFailure();

}  // namespace velloran
