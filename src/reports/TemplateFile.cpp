#include "reports/TemplateFile.h"

#include "reports/DocumentFile.h"

namespace reports {

std::filesystem::path templatePath(ReportKind kind, const std::filesystem::path& workDir) {
    return workDir / kDataDir / layoutOf(kind).templateName;
}

TemplateResult readTemplate(ReportKind kind, const std::filesystem::path& workDir) {
    const ReportLayout& layout = layoutOf(kind);
    const std::filesystem::path path = templatePath(kind, workDir);
    std::string bytes;
    if (std::string error = readFile(path, bytes, "报表模板", layout.templateSize);
        !error.empty()) {
        return {{}, std::move(error)};
    }
    if (bytes.size() < layout.templateSize) {
        return {{},
                "报表模板“" + path.string() + "”不完整：只有" + std::to_string(bytes.size()) +
                    "字节，应有" + std::to_string(layout.templateSize) + "字节。"};
    }
    return {std::move(bytes), {}};
}

} // namespace reports
