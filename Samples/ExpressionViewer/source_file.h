#pragma once
// Loading and saving the viewer's source text, with the messages of the file chooser.

#include <filesystem>
#include <string>

#include "messages.h"

namespace kelvantroc {

// True for an existing regular file, an empty one included.
bool ExistFile(const std::filesystem::path& file);

// Reads the file into `text`, lines joined by CR LF and no line break at the end; on failure
// shows a message, leaves `text` as it was and returns false.
bool LoadSourceFile(const std::filesystem::path& file, std::string& text, Messages& messages);

// Writes `text` and one CR LF, after asking before an existing file is replaced. The text goes
// to a temporary file first, which then takes the file's place, so a failure leaves the old
// file whole; a failure is reported and gives false. A name with a wildcard ("*.cpp") or of a
// folder is refused with a message and nothing is written.
bool SaveSourceFile(const std::filesystem::path& file, const std::string& text, Messages& messages);

}  // namespace kelvantroc
