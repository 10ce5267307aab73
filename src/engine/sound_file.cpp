#include "engine/sound_file.h"

namespace brindlemoor {

SoundFile::SoundFile(const std::filesystem::path& path, int mode, SF_INFO info) : info_(info)
{
    file_.reset(sf_open(path.c_str(), mode, &info_));
    if (!file_)
        error_ = sf_strerror(nullptr);
}

} // namespace brindlemoor
