#include "server/text_routines.h"

#include <cstring>

namespace velloran {

int CompareText(TextRef first, TextRef second) {
    const int order = std::strcmp(first.bytes(), second.bytes());
    return (order > 0) - (order < 0);
}

std::size_t TextLength(TextRef text) {
    return std::strlen(text.bytes());
}

Text JoinTexts(std::initializer_list<TextRef> pieces) {
    std::size_t length = 0;
    for (const TextRef piece : pieces) {
        length += TextLength(piece);
    }
    Text joined;
    joined.reserve(length);
    for (const TextRef piece : pieces) {
        joined.append(piece.bytes());
    }
    return joined;
}

}  // namespace velloran
