#include "core/TemplateFolder.h"

#include <cstdlib>
#include <system_error>

#ifndef TAVLEN_TEMPLATE_DIR
#error "TAVLEN_TEMPLATE_DIR must come from the build (tavlen_core's compile definitions)"
#endif

namespace core {

namespace fs = std::filesystem;

std::string templateFolderFor(const char* variable, const fs::path& executable,
                              const std::string& sourceFolder) {
    if (variable != nullptr && *variable != 0) {
        return variable;
    }
    const fs::path bin = executable.parent_path();
    // <prefix>/bin, or <prefix>/libexec/tavlen for the command line's whole program
    const bool inBin = bin.filename() == "bin";
    const bool inLibexec = bin.filename() == "tavlen" && bin.parent_path().filename() == "libexec";
    if (!executable.empty() && (inBin || inLibexec)) {
        const fs::path prefix = inBin ? bin.parent_path() : bin.parent_path().parent_path();
        const fs::path installed = prefix / "share" / "tavlen" / "templates";
        std::error_code ec;
        if (fs::is_directory(installed, ec)) {
            return installed.string();
        }
    }
    return sourceFolder;
}

std::string templateFolder() {
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return templateFolderFor(std::getenv("TAVLEN_TEMPLATES"), ec ? fs::path() : executable,
                             TAVLEN_TEMPLATE_DIR);
}

} // namespace core
