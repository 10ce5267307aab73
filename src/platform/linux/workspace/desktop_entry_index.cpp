#include "platform/linux/workspace/desktop_entry_index.h"

namespace brindlemoor {
namespace {

std::filesystem::file_time_type stamp(const std::string& folder)
{
    std::error_code error;
    auto time = std::filesystem::last_write_time(folder, error);
    return error ? std::filesystem::file_time_type::min() : time;
}

std::string idFor(const std::filesystem::path& folder, const std::filesystem::path& file)
{
    std::string relative = std::filesystem::relative(file, folder).string();
    for (char& c : relative)
        if (c == '/')
            c = '-';
    return relative.substr(0, relative.size() - std::string(".desktop").size());
}

} // namespace

DesktopEntryIndex::DesktopEntryIndex(std::vector<std::string> folders) : folders_(std::move(folders)) {}

void DesktopEntryIndex::refreshIfChanged()
{
    std::vector<std::filesystem::file_time_type> stamps;
    for (const auto& folder : folders_)
        stamps.push_back(stamp(folder));
    if (loaded_ && stamps == stamps_)
        return;
    stamps_ = stamps;
    loaded_ = true;
    entries_.clear();
    for (const auto& folder : folders_) {
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().extension() != ".desktop")
                continue;
            std::string id = idFor(folder, it->path());
            if (entries_.count(id) != 0)
                continue;
            if (auto entry = DesktopEntry::read(it->path().string(), id))
                entries_.emplace(id, std::move(*entry));
        }
    }
}

std::optional<DesktopEntry> DesktopEntryIndex::entryWithId(const std::string& id)
{
    std::lock_guard lock(mutex_);
    refreshIfChanged();
    auto it = entries_.find(id);
    if (it == entries_.end() || it->second.hidden)
        return std::nullopt;
    return it->second;
}

std::optional<DesktopEntry> DesktopEntryIndex::entryForProgram(const std::string& executablePath,
                                                               const std::string& programName)
{
    std::lock_guard lock(mutex_);
    refreshIfChanged();
    if (programName.empty())
        return std::nullopt;
    const DesktopEntry* byName = nullptr;
    for (const auto& [id, entry] : entries_) {
        if (entry.hidden)
            continue;
        if (!executablePath.empty() && entry.program() == executablePath)
            return entry;
        if (byName == nullptr &&
            (entry.programName() == programName ||
             (!entry.tryExec.empty() && std::filesystem::path(entry.tryExec).filename() == programName)))
            byName = &entry;
    }
    if (byName != nullptr)
        return *byName;
    return std::nullopt;
}

} // namespace brindlemoor
