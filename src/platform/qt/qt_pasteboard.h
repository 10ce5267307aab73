#pragma once

#include "platform/pasteboard.h"

namespace brindlemoor {

// The desktop clipboard through Qt. The application stays the clipboard's owner and serves it
// from its event loop; main thread only.
class QtPasteboard final : public Pasteboard {
public:
    void clearContents() override;
    void setString(const std::string& text) override;
    std::optional<std::string> string() const override;
};

} // namespace brindlemoor
