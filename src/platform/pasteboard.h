#pragma once

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace brindlemoor {

// The desktop's clipboard. Main thread only: the clipboard is served from the main thread's
// event loop, so between setting a text and another application reading it nothing may
// block that thread.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;

    virtual void clearContents() = 0;
    // Makes the clipboard hold exactly this plain text.
    virtual void setString(const std::string& text) = 0;
    virtual std::optional<std::string> string() const = 0;

    // The process's clipboard; the application installs the desktop's at start, tests a double.
    static Pasteboard& general()
    {
        Pasteboard* installed = slot().load(std::memory_order_acquire);
        if (installed == nullptr) {
            std::fputs("Brindlemoor: the pasteboard is used before it was installed\n", stderr);
            std::abort();
        }
        return *installed;
    }
    static void install(Pasteboard* pasteboard) { slot().store(pasteboard, std::memory_order_release); }

private:
    static std::atomic<Pasteboard*>& slot()
    {
        static std::atomic<Pasteboard*> installed{nullptr};
        return installed;
    }
};

} // namespace brindlemoor
