// Replaces the global allocation functions so that a failure can name the size it asked for.
#include <cstdlib>
#include <new>

#include "app/fatal_error.h"

namespace velloran {
namespace {
std::size_t requestedSize = 0;
}

std::size_t lastRequestedAllocationSize() {
    return requestedSize;
}

}  // namespace velloran

void* operator new(std::size_t size) {
    velloran::requestedSize = size;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    velloran::requestedSize = size;
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new(size, tag);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
