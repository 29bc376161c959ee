#include "publish/PublishedFolder.h"

#include <fstream>

namespace publish {

PublishedFolder::PublishedFolder(const std::filesystem::path& target, bool replace)
    : m_target(target, OutputTarget::Shape::Folder, replace) {}

void PublishedFolder::write(const std::string& fileName, std::string_view bytes) {
    const std::filesystem::path path = m_target.workPath() / fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw PublishError("不能写入 " + path.string());
}

void PublishedFolder::stepped(const Progress& progress, int done, int total) {
    if (!progress.report(done, total))
        throw Cancelled();
}

} // namespace publish
