// A folder of published files (the web site, the calendars) written in one piece: the files
// go into an OutputTarget's work folder, and only commit() puts the folder in the target's
// place. Until then the target is untouched; a failure or a cancel (Cancelled from
// stepped()) leaves nothing behind once this object is gone. Refusals are OutputTarget's
// (a target that is a file, one that exists without replace, a missing parent folder).
#pragma once

#include "publish/OutputTarget.h"
#include "publish/Progress.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace publish {

class PublishedFolder {
public:
    PublishedFolder(const std::filesystem::path& target, bool replace);

    // Writes fileName (a plain name, no folders) with exactly these bytes; PublishError
    // when the file cannot be written whole.
    void write(const std::string& fileName, std::string_view bytes);
    // Reports done of total; throws Cancelled when the user cancelled.
    static void stepped(const Progress& progress, int done, int total);
    void commit() { m_target.commit(); }

private:
    OutputTarget m_target;
};

} // namespace publish
