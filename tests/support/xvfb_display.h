#pragma once

#include "support/child_process.h"

#include <memory>
#include <string>

namespace brindlemoor::testing {

// A private X server for one test: Xvfb on a free display number, ready when constructed.
// Sets DISPLAY for the test process while it lives.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();

    // ":N"
    const std::string& name() const { return name_; }
    bool ready() const { return ready_; }

private:
    std::string name_;
    std::string previousDisplay_;
    bool hadDisplay_ = false;
    bool ready_ = false;
    std::unique_ptr<ChildProcess> server_;
};

} // namespace brindlemoor::testing
