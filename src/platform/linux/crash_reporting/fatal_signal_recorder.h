#pragma once

#include <csignal>
#include <cstdint>
#include <optional>
#include <string>

namespace brindlemoor {

// What the recorder left on disk when the process died of a signal.
struct FatalSignalRecord {
    int signal = 0;
    std::int64_t unixTime = 0;
    // Whatever the process asked to be kept with the record (its session, for instance).
    std::string context;
};

// Writes a small record file when the process receives a fatal signal, then lets the signal
// take its course. The handler only uses async-signal-safe calls on memory prepared here.
class FatalSignalRecorder {
public:
    // Replaces any earlier installation. `context` must fit in a few kilobytes.
    static void install(const std::string& path, const std::string& context);
    static void uninstall();

    // Reads and removes the record left by an earlier process, if any.
    static std::optional<FatalSignalRecord> takePending(const std::string& path);
    // Puts a record back, for a later start to send.
    static void write(const std::string& path, const FatalSignalRecord& record);

    static std::string signalName(int signal);
};

} // namespace brindlemoor
