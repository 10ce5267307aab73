#pragma once

#include <string_view>

namespace brindlemoor {

// The diagnostic lines the application prints, written and flushed at once so they interleave
// correctly with other output. Tests install a sink to read them.
class StandardOutput {
public:
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void write(std::string_view text) = 0;
    };

    // The text followed by a line end.
    static void printLine(std::string_view text);
    // The text alone.
    static void print(std::string_view text);

    // nullptr puts the process's standard output back.
    static void install(Sink* sink);
};

} // namespace brindlemoor
