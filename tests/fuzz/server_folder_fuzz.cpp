// Fuzzes the server folder builder over a recording port: no crash, and whatever
// the inputs, the calls and the bytes keep their shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "server/server_folder.h"

namespace {

using namespace velloran;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Call {
    Text first;
    Text second;
    Bytes bytes;
};

// Records every call; fails each one whose bit is set in failures.
class RecordingPort : public FileSystemPort {
  public:
    explicit RecordingPort(unsigned failures) : failures_(failures) {}
    bool createDirectory(const Text& path) override { return record({path, {}, {}}); }
    bool writeFile(const Text& path, const Bytes& bytes) override {
        return record({path, {}, bytes});
    }
    bool moveFile(const Text& source, const Text& destination) override {
        return record({source, destination, {}});
    }
    std::vector<Call> calls;

  private:
    bool record(Call call) {
        calls.push_back(std::move(call));
        return (failures_ >> (calls.size() - 1) & 1u) == 0;
    }
    unsigned failures_;
};

// The inputs are four texts split at 0xFF bytes; the last input byte picks the failing calls.
// A text ends at its NUL, as the edit boxes' texts do, so NUL bytes are left out.
ServerFolderInputs splitInputs(const std::uint8_t* data, std::size_t size) {
    Text fields[4];
    int field = 0;
    for (std::size_t i = 0; i < size && field < 4; ++i) {
        if (data[i] == 0xFF) {
            ++field;
        } else if (data[i] != 0) {
            fields[field].push_back(static_cast<char>(data[i]));
        }
    }
    return {fields[0], fields[1], fields[2], fields[3]};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ServerFolderInputs inputs = splitInputs(data, size);
    const unsigned failures = size > 0 ? data[size - 1] : 0;
    RecordingPort port(failures);
    const BuildResult result = BuildServerFolder(inputs, port);

    if (CompareText(inputs.jarPath, JarHintText) == 0) {
        check(result.outcome == BuildOutcome::JarNotChosen);
        check(port.calls.empty());
        return 0;
    }
    check(result.outcome == BuildOutcome::Built);
    check(port.calls.size() == ServerItemCount);
    for (int i = 0; i < ServerItemCount; ++i) {
        check(result.items[i].made == ((failures >> i & 1u) == 0));
        const Call& call = port.calls[i];
        const Text& path = i == static_cast<int>(ServerItem::Jar) ? call.second : call.first;
        check(path == serverItemPath(inputs.drive, static_cast<ServerItem>(i)));
        check(path.compare(0, inputs.drive.size(), inputs.drive) == 0);
    }

    // The script is a fixed frame around the memory text, twice; ops.txt is the name itself.
    static std::optional<std::size_t> frameLength;
    const Bytes& script = port.calls[1].bytes;
    const std::size_t frame = script.size() - 2 * inputs.memory.size();
    if (!frameLength) {
        frameLength = frame;
    }
    check(frame == *frameLength);
    check(port.calls[2].bytes.size() == 642);
    check(port.calls[3].bytes == toBytes(inputs.operatorName));
    check(port.calls[4].first == inputs.jarPath);
    return 0;
}
