#pragma once
// Loading and saving the viewer's source text, with the messages of the file chooser.

#include <filesystem>
#include <string>
#include <string_view>

#include "messages.h"

namespace kelvantroc {

// How a source file's text is written: the code page, or UTF-8 (with or without the byte-order
// mark) for a file that is valid UTF-8 and holds more than ASCII.
enum class TextEncoding { Cp1251, Utf8, Utf8WithBom };

// The encoding a file of these bytes is read in.
TextEncoding EncodingOf(std::string_view bytes);

// True for an existing regular file, an empty one included.
bool ExistFile(const std::filesystem::path& file);

// Reads the file into `text`, lines joined by CR LF and no line break at the end, in the file's
// own encoding (without a byte-order mark), which goes to `encoding`; on failure shows a message,
// leaves `text` as it was and returns false.
bool LoadSourceFile(const std::filesystem::path& file, std::string& text, Messages& messages,
                    TextEncoding* encoding = nullptr);

// Writes `text` and one CR LF, after asking before an existing file is replaced. The text goes
// to a temporary file first, which then takes the file's place, so a failure leaves the old
// file whole; a failure is reported and gives false. A name with a wildcard ("*.cpp") or of a
// folder is refused with a message and nothing is written.
// `text` is written as it is, in `encoding`: a byte-order mark goes first for Utf8WithBom.
bool SaveSourceFile(const std::filesystem::path& file, const std::string& text, Messages& messages,
                    TextEncoding encoding = TextEncoding::Cp1251);

} // namespace kelvantroc
