#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace tavrin {

// Every file the program writes goes through here: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and only then
// replace the target by a rename. A failure at any point removes the
// temporary file and leaves the old target exactly as it was. A target the
// user may not write (read-only, or not a regular file) is refused, and
// temporaries that an earlier, interrupted write of the same target left
// behind are cleared first.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// The steps of an atomic write. A hook installed for tests can make any step
// fail as a full disk or an interrupted program would; it returns false to
// fail. An empty hook removes it.
enum class WriteStage { Create, Write, Flush, Rename };
using WriteHook = std::function<bool(WriteStage)>;
void SetWriteHook(WriteHook hook);

}  // namespace tavrin
