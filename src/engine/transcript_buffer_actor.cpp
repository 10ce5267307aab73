#include "engine/transcript_buffer_actor.h"

#include "platform/standard_output.h"

namespace brindlemoor {

std::string TranscriptBufferActor::currentText()
{
    std::lock_guard lock(mutex_);
    StandardOutput::printLine("currentText: s1 = " + buffer_.previous);
    StandardOutput::printLine("currentText: s2 = " + buffer_.current);
    if (buffer_.previous.empty())
        return buffer_.current;
    std::size_t at = buffer_.current.find(buffer_.previous);
    if (at == std::string::npos)
        return "";
    return buffer_.current.substr(at + buffer_.previous.size());
}

} // namespace brindlemoor
