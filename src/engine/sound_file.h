#pragma once

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <string>

namespace brindlemoor {

// An open audio file of libsndfile, closed when the object goes.
class SoundFile {
public:
    // An invalid object when the file cannot be opened; `error()` then says why.
    SoundFile(const std::filesystem::path& path, int mode, SF_INFO info = {});

    explicit operator bool() const { return file_ != nullptr; }
    SNDFILE* get() const { return file_.get(); }
    const SF_INFO& info() const { return info_; }
    const std::string& error() const { return error_; }

private:
    struct Closer {
        void operator()(SNDFILE* file) const { sf_close(file); }
    };

    SF_INFO info_;
    std::unique_ptr<SNDFILE, Closer> file_;
    std::string error_;
};

} // namespace brindlemoor
