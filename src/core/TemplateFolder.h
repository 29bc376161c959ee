// Where the report templates are. One lookup for every reader: $TAVLEN_TEMPLATES when it is
// set and not empty; otherwise, for an installed program, <prefix>/share/tavlen/templates
// beside the running executable's <prefix>/bin (or <prefix>/libexec/tavlen, where the
// command line's whole program lies), when that folder exists; otherwise the
// source tree's data/templates (a program run from its build tree). The folder returned
// may be missing or empty; the caller says what that means.
#pragma once

#include <filesystem>
#include <string>

namespace core {

// The lookup above for the running process (the environment and /proc/self/exe).
std::string templateFolder();

// The same lookup over given inputs: variable is the environment's value (nullptr when
// unset), executable the running program's path (empty when unknown), sourceFolder the
// build's own templates folder.
std::string templateFolderFor(const char* variable, const std::filesystem::path& executable,
                              const std::string& sourceFolder);

} // namespace core
