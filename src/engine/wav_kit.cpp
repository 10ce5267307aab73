#include "engine/wav_kit.h"

#include "engine/ext_audio_converter.h"

namespace brindlemoor {

void WavKit::convertWavTo16kHz(const std::filesystem::path& input, const std::filesystem::path& output)
{
    ExtAudioConverter converter;
    converter.outputSampleRate = 16000;
    converter.outputNumberChannels = 1;
    converter.inputFile = input.string();
    converter.outputFile = output.string();
    converter.convert();
}

} // namespace brindlemoor
