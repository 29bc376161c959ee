#include "reports/TemplateFile.h"

#include <fstream>
#include <iterator>

namespace reports {

std::filesystem::path templatePath(ReportKind kind, const std::filesystem::path& workDir) {
    return workDir / kDataDir / layoutOf(kind).templateName;
}

TemplateResult readTemplate(ReportKind kind, const std::filesystem::path& workDir) {
    const ReportLayout& layout = layoutOf(kind);
    const std::filesystem::path path = templatePath(kind, workDir);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {{}, "找不到报表模板“" + path.string() + "”。"};
    }
    std::string bytes(layout.templateSize, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < layout.templateSize) {
        return {{},
                "报表模板“" + path.string() + "”不完整：只有" + std::to_string(got) + "字节，应有" +
                    std::to_string(layout.templateSize) + "字节。"};
    }
    return {std::move(bytes), {}};
}

} // namespace reports
