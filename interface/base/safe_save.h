// Files the window program writes (grammars, parser documents): whole or not at all.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace safe_save {

// Writes the bytes to a temporary file in the same folder, flushed to the disk and given the
// old file's permissions and, where the process may, its owner, then renames it over the name.
// A link is written through to the file it names. On failure the old file is left as it was
// and `reason` holds the system's words for it ("No space left on device").
bool WriteWhole(const QString& path, const std::string& bytes, QString& reason);

// What a file on disk looked like when it was read or written: changed by another program
// when the stamp differs now. Empty for a file that does not exist.
struct Stamp {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t inode = 0;
    bool operator==(const Stamp&) const = default;
};
std::optional<Stamp> StampOf(const QString& path);

} // namespace safe_save
