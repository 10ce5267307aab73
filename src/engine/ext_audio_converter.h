#pragma once

#include "engine/audio_stream_description.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindlemoor {

// Converts one audio file into another container, data format, rate and channel count.
// Output properties left at 0 take the defaults: 44 100 Hz, 2 channels, 16 bits, linear PCM,
// CAF. Failures are printed to standard error with their status and answered with false.
class ExtAudioConverter {
public:
    std::string inputFile;
    std::string outputFile;
    std::int32_t outputSampleRate = 0;
    std::int32_t outputNumberChannels = 0;
    std::int32_t outputBitDepth = 0;
    std::uint32_t outputFormatID = 0;
    std::uint32_t outputFileType = 0;

    bool convert();

    // Applies the defaults, then ends the process with status 255 when the file type cannot
    // hold the data format.
    void validateInput();

    static bool isValidPair(std::uint32_t fileType, std::uint32_t formatID);
    static std::string descriptionForAudioFormat(const AudioStreamDescription& format);
    static std::string descriptionForStandardFlags(std::uint32_t flags);
    // Prints a non-zero status with the failed operation; answers the status.
    static std::int32_t checkStatus(std::int32_t status, std::string_view operation);
};

// Statuses a conversion fails with, as the audio toolbox names them.
namespace audio_status {
inline constexpr std::int32_t fileNotFound = -43;
inline constexpr std::int32_t parameterError = -50;
inline constexpr std::int32_t unspecifiedError = 0x7768743F;          // 'wht?'
inline constexpr std::int32_t unsupportedFileType = 0x7479703F;       // 'typ?'
inline constexpr std::int32_t unsupportedDataFormat = 0x666D743F;     // 'fmt?'
} // namespace audio_status

} // namespace brindlemoor
