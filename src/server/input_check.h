#pragma once

#include <optional>

#include "text.h"

namespace velloran {

// Why the inputs cannot go into the server folder, as shown to the user.
struct InputProblem {
    Text message;
    Text title;
};

// The first problem of the inputs, checked before anything is touched on disk, or none:
// the drive must be one letter A-Z or a-z; the memory a whole number of megabytes, 1 to 7
// digits, greater than 0, no unit; the jar path must name an existing file (which the caller
// finds out). The operator name is free text.
std::optional<InputProblem> checkInputs(const Text& drive, const Text& memory, bool jarFileExists);

}  // namespace velloran
