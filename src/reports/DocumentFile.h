// Writing a document to a file. Every function returns an empty string on success and the
// file error, in UTF-8 and naming the file, otherwise.
//
// - probeFile(): the export's check that the chosen file can be created and opened for
//   reading and writing with no other writer on it (an exclusive lock); a file that did not
//   exist before is removed again. An existing file is fine: the user has confirmed that it
//   is replaced.
// - writeFile(): writes the bytes to a new file beside the target and renames it over the
//   target, so a failed write never leaves a half-written document or destroys the old file.
//   A symbolic link is written through (its target is replaced, the link stays), and an
//   existing file that may not be written to is refused, as opening it for writing would be.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace reports {

std::string probeFile(const std::filesystem::path& path);

std::string writeFile(const std::filesystem::path& path, std::string_view bytes);

// The bytes of a file, or an error.
std::string readFile(const std::filesystem::path& path, std::string& bytes);

// The standard file-error text for an operation on path that failed with errno `error`.
std::string fileError(const std::filesystem::path& path, int error);

} // namespace reports
