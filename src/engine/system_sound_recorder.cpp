#include "engine/system_sound_recorder.h"

#include "platform/standard_output.h"

namespace brindlemoor {

void SystemSoundRecorder::recordingDidStart()
{
    StandardOutput::printLine("Recording started");
}

void SystemSoundRecorder::recordingDidFinish(const std::optional<PlatformError>& error)
{
    if (error)
        StandardOutput::printLine("Recording error: " + error->description);
    else
        StandardOutput::printLine("Recording finished");
}

} // namespace brindlemoor
