#include "engine/ext_audio_converter.h"

#include "engine/four_char_code.h"
#include "engine/resampler.h"
#include "engine/sound_file.h"
#include "platform/logger.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace brindlemoor {
namespace {

constexpr std::uint32_t kLinearPCM = fourCharCode("lpcm");
constexpr std::uint32_t kMP3 = fourCharCode(".mp3");
constexpr std::uint32_t kAAC = fourCharCode("aac ");
constexpr std::size_t kFramesPerRead = 4096;

const Logger& converterLog()
{
    static const Logger logger = Logger::forCategory("ExtAudioConverter");
    return logger;
}

// Messages that the system log and a terminal both show.
void logNotice(const std::string& text)
{
    converterLog().info("%s", text);
    std::fprintf(stderr, "%s\n", text.c_str());
}

const std::map<std::uint32_t, std::set<std::uint32_t>>& validPairs()
{
    static const std::map<std::uint32_t, std::set<std::uint32_t>> pairs = {
        {fourCharCode("AIFC"),
         {kLinearPCM, fourCharCode("ulaw"), fourCharCode("alaw"), fourCharCode("ima4"), fourCharCode("QDM2"),
          fourCharCode("Qclp")}},
        {fourCharCode("AIFF"), {kLinearPCM}},
        {fourCharCode("Sd2f"), {kLinearPCM}},
        {fourCharCode("MPG3"), {kMP3}},
        {fourCharCode("NeXT"), {kLinearPCM, fourCharCode("ulaw")}},
        {fourCharCode("WAVE"), {kLinearPCM, fourCharCode("alaw"), fourCharCode("ulaw")}},
        {fourCharCode("ac-3"), {}},
        {fourCharCode("adts"), {kAAC}},
        {fourCharCode("mp4f"), {kAAC}},
        {fourCharCode("m4af"), {kAAC, fourCharCode("alac")}},
    };
    return pairs;
}

bool isBigEndianContainer(std::uint32_t fileType)
{
    return fileType == fourCharCode("AIFF") || fileType == fourCharCode("Sd2f") || fileType == fourCharCode("AIFC")
        || fileType == fourCharCode("NeXT");
}

// What the packet layout of a compressed data format is; false for a format nobody knows.
bool fillFormatInfo(AudioStreamDescription& format)
{
    const std::uint32_t channels = format.channelsPerFrame;
    const std::map<std::uint32_t, std::uint32_t> framesPerPacket = {
        {fourCharCode("ima4"), 64},   {kAAC, 1024},  {fourCharCode("alac"), 4096}, {kMP3, 1152},
        {fourCharCode("ac-3"), 1536}, {fourCharCode("QDM2"), 2048}, {fourCharCode("Qclp"), 160},
    };
    if (format.formatID == fourCharCode("ulaw") || format.formatID == fourCharCode("alaw")) {
        format.bitsPerChannel = 8;
        format.bytesPerPacket = format.bytesPerFrame = channels;
        format.framesPerPacket = 1;
        return true;
    }
    auto found = framesPerPacket.find(format.formatID);
    if (found == framesPerPacket.end())
        return false;
    format.framesPerPacket = found->second;
    format.bytesPerFrame = 0;
    format.bytesPerPacket = format.formatID == fourCharCode("ima4") ? 34 * channels : 0;
    if (format.formatID != fourCharCode("alac"))
        format.bitsPerChannel = 0;
    return true;
}

std::optional<int> containerFor(std::uint32_t fileType)
{
    static const std::map<std::uint32_t, int> containers = {
        {fourCharCode("caff"), SF_FORMAT_CAF}, {fourCharCode("WAVE"), SF_FORMAT_WAV},
        {fourCharCode("AIFF"), SF_FORMAT_AIFF}, {fourCharCode("AIFC"), SF_FORMAT_AIFF},
        {fourCharCode("NeXT"), SF_FORMAT_AU},   {fourCharCode("Sd2f"), SF_FORMAT_SD2},
    };
    auto found = containers.find(fileType);
    return found == containers.end() ? std::nullopt : std::optional(found->second);
}

// The libsndfile encoding of a data format; none when it cannot write that format.
std::optional<int> encodingFor(const AudioStreamDescription& format, int container)
{
    if (format.formatID == kLinearPCM) {
        switch (format.bitsPerChannel) {
        case 8: return container == SF_FORMAT_WAV ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_S8;
        case 16: return SF_FORMAT_PCM_16;
        case 24: return SF_FORMAT_PCM_24;
        case 32: return SF_FORMAT_PCM_32;
        default: return std::nullopt;
        }
    }
    if (format.formatID == fourCharCode("ulaw"))
        return SF_FORMAT_ULAW;
    if (format.formatID == fourCharCode("alaw"))
        return SF_FORMAT_ALAW;
    if (format.formatID == fourCharCode("ima4"))
        return SF_FORMAT_IMA_ADPCM;
    if (format.formatID == fourCharCode("alac")) {
        switch (format.bitsPerChannel) {
        case 16: return SF_FORMAT_ALAC_16;
        case 20: return SF_FORMAT_ALAC_20;
        case 24: return SF_FORMAT_ALAC_24;
        case 32: return SF_FORMAT_ALAC_32;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

// Maps each input frame onto the client's channel count: a mono client hears the mean of all
// channels; otherwise channels repeat in turn.
std::vector<float> mapChannels(const std::vector<float>& frames, std::size_t frameCount, int inputChannels,
                               int outputChannels)
{
    if (inputChannels == outputChannels)
        return {frames.begin(), frames.begin() + frameCount * inputChannels};
    std::vector<float> mapped(frameCount * outputChannels);
    for (std::size_t frame = 0; frame < frameCount; ++frame) {
        const float* in = &frames[frame * inputChannels];
        float* out = &mapped[frame * outputChannels];
        if (outputChannels == 1) {
            float sum = 0;
            for (int channel = 0; channel < inputChannels; ++channel)
                sum += in[channel];
            out[0] = sum / inputChannels;
        } else {
            for (int channel = 0; channel < outputChannels; ++channel)
                out[channel] = in[channel % inputChannels];
        }
    }
    return mapped;
}

struct Conversion {
    SoundFile& input;
    SoundFile* output;  // none for a data format that gets no file
    AudioStreamDescription client;

    std::int32_t write(const std::vector<float>& frames) const
    {
        if (output == nullptr)
            return audio_status::parameterError;
        const sf_count_t count = static_cast<sf_count_t>(frames.size() / client.channelsPerFrame);
        if (sf_writef_float(output->get(), frames.data(), count) != count)
            return audio_status::unspecifiedError;
        return 0;
    }

    // Copies until the input is exhausted, so recordings of any length arrive whole.
    std::int32_t copyAudioFrames() const
    {
        const int inputChannels = input.info().channels;
        const int clientChannels = static_cast<int>(client.channelsPerFrame);
        Resampler resampler(input.info().samplerate, client.sampleRate, client.channelsPerFrame);
        std::vector<float> block(kFramesPerRead * inputChannels);
        while (true) {
            const sf_count_t read = sf_readf_float(input.get(), block.data(), kFramesPerRead);
            if (read <= 0) {
                if (sf_error(input.get()) != SF_ERR_NO_ERROR)
                    return ExtAudioConverter::checkStatus(audio_status::unspecifiedError, "ExtAudioFileRead failed");
                break;
            }
            auto mapped = mapChannels(block, static_cast<std::size_t>(read), inputChannels, clientChannels);
            const auto status = write(resampler.process(mapped.data(), static_cast<std::size_t>(read)));
            if (status != 0)
                return ExtAudioConverter::checkStatus(status, "ExtAudioFileWrite failed");
        }
        auto tail = resampler.flush();
        if (tail.empty())
            return 0;
        return ExtAudioConverter::checkStatus(write(tail), "ExtAudioFileWrite failed");
    }
};

} // namespace

bool ExtAudioConverter::isValidPair(std::uint32_t fileType, std::uint32_t formatID)
{
    auto found = validPairs().find(fileType);
    return found == validPairs().end() || found->second.contains(formatID);
}

void ExtAudioConverter::validateInput()
{
    if (outputSampleRate == 0)
        outputSampleRate = 44100;
    if (outputNumberChannels == 0)
        outputNumberChannels = 2;
    if (outputBitDepth == 0)
        outputBitDepth = 16;
    if (outputFormatID == 0)
        outputFormatID = kLinearPCM;
    if (outputFileType == 0)
        outputFileType = fourCharCode("caff");
    if (!isValidPair(outputFileType, outputFormatID)) {
        logNotice("the file format and data format pair is not valid");
        std::exit(-1);
    }
}

bool ExtAudioConverter::convert()
{
    if (inputFile.empty()) {
        logNotice("Source file is not set");
        return false;
    }
    if (outputFile.empty()) {
        logNotice("Output file is no set");
        return false;
    }

    SoundFile input(inputFile, SFM_READ);
    if (!input) {
        const bool missing = !std::filesystem::exists(inputFile);
        checkStatus(missing ? audio_status::fileNotFound : audio_status::unsupportedFileType,
                    "ExtAudioFileOpenURL failed");
        return false;
    }

    validateInput();

    AudioStreamDescription outputFormat;
    outputFormat.sampleRate = outputSampleRate;
    outputFormat.bitsPerChannel = outputFormatID == kAAC ? 0 : static_cast<std::uint32_t>(outputBitDepth);
    outputFormat.channelsPerFrame = static_cast<std::uint32_t>(outputNumberChannels);
    outputFormat.formatID = outputFormatID;
    if (outputFormatID == kLinearPCM) {
        outputFormat.bytesPerFrame = outputFormat.bytesPerPacket =
            static_cast<std::uint32_t>(outputBitDepth * outputNumberChannels / 8);
        outputFormat.framesPerPacket = 1;
        outputFormat.formatFlags = audio_format_flags::isSignedInteger | audio_format_flags::isPacked;
        if (isBigEndianContainer(outputFileType))
            outputFormat.formatFlags |= audio_format_flags::isBigEndian;
    } else if (!fillFormatInfo(outputFormat)) {
        checkStatus(audio_status::unsupportedDataFormat, "AudioFormatGetProperty kAudioFormatProperty_FormatInfo failed");
        return false;
    }
    logNotice("output format:" + descriptionForAudioFormat(outputFormat));

    std::optional<SoundFile> output;
    if (outputFormatID != kMP3) {
        const auto container = containerFor(outputFileType);
        const auto encoding = container ? encodingFor(outputFormat, *container) : std::nullopt;
        std::int32_t status = !container ? audio_status::unsupportedFileType
                                         : (!encoding ? audio_status::unsupportedDataFormat : 0);
        if (status == 0) {
            SF_INFO info{};
            info.samplerate = outputSampleRate;
            info.channels = outputNumberChannels;
            const int endian = (outputFormat.formatFlags & audio_format_flags::isBigEndian) ? SF_ENDIAN_BIG
                                                                                             : SF_ENDIAN_LITTLE;
            info.format = *container | *encoding | (outputFormatID == kLinearPCM ? endian : 0);
            if (!sf_format_check(&info)) {
                status = audio_status::unsupportedDataFormat;
            } else {
                output.emplace(outputFile, SFM_WRITE, info);
                if (!*output)
                    status = audio_status::unspecifiedError;
            }
        }
        if (status != 0) {
            checkStatus(status, "Create output file failed, the output file type and output format pair may not match");
            return false;
        }
        sf_command(output->get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    }

    AudioStreamDescription client = outputFormat;
    if (outputFormatID != kLinearPCM) {
        client = {};
        client.sampleRate = outputFormat.sampleRate;
        client.formatID = kLinearPCM;
        client.formatFlags = audio_format_flags::isSignedInteger | audio_format_flags::isPacked;
        client.channelsPerFrame = outputFormat.channelsPerFrame;
        client.bitsPerChannel = 16;
        client.bytesPerFrame = client.bytesPerPacket = 2 * client.channelsPerFrame;
        client.framesPerPacket = 1;
    }
    logNotice("Client data format:" + descriptionForAudioFormat(client));

    if (client.sampleRate <= 0 || outputNumberChannels <= 0) {
        checkStatus(audio_status::parameterError, "Setting client data format of input file failed");
        return false;
    }

    const Conversion conversion{input, output ? &*output : nullptr, client};
    return conversion.copyAudioFrames() == 0;
}

std::string ExtAudioConverter::descriptionForAudioFormat(const AudioStreamDescription& format)
{
    char line[128];
    std::string text = "\n";
    auto add = [&](const char* pattern, auto value) {
        std::snprintf(line, sizeof line, pattern, value);
        text += line;
    };
    add("Sample Rate:         %10.0f \n", format.sampleRate);
    add("Format ID:           %10s \n", fourCharText(format.formatID).c_str());
    add("Format Flags:        %10d \n", static_cast<int>(format.formatFlags));
    add("Bytes per Packet:    %10d \n", static_cast<int>(format.bytesPerPacket));
    add("Frames per Packet:   %10d \n", static_cast<int>(format.framesPerPacket));
    add("Bytes per Frame:     %10d \n", static_cast<int>(format.bytesPerFrame));
    add("Channels per Frame:  %10d \n", static_cast<int>(format.channelsPerFrame));
    add("Bits per Channel:    %10d \n", static_cast<int>(format.bitsPerChannel));
    return text + descriptionForStandardFlags(format.formatFlags);
}

std::string ExtAudioConverter::descriptionForStandardFlags(std::uint32_t flags)
{
    constexpr std::uint32_t topBit = 0x80000000u;
    static const std::vector<std::pair<const char*, std::uint32_t>> lines = {
        {"kAudioFormatFlagIsFloat", 1},
        {"kAudioFormatFlagIsBigEndian", 2},
        {"kAudioFormatFlagIsSignedInteger", 4},
        {"kAudioFormatFlagIsPacked", 8},
        {"kAudioFormatFlagIsAlignedHigh", 16},
        {"kAudioFormatFlagIsNonInterleaved", 32},
        {"kAudioFormatFlagIsNonMixable", 64},
        {"kAudioFormatFlagsAreAllClear", topBit},
        {"kLinearPCMFormatFlagIsFloat", 1},
        {"kLinearPCMFormatFlagIsBigEndian", 2},
        {"kLinearPCMFormatFlagIsSignedInteger", 4},
        {"kLinearPCMFormatFlagIsPacked", 8},
        {"kLinearPCMFormatFlagIsAlignedHigh", 16},
        {"kLinearPCMFormatFlagIsNonInterleaved", 32},
        {"kLinearPCMFormatFlagIsNonMixable", 64},
        {"kLinearPCMFormatFlagsSampleFractionShift", 7},
        {"kLinearPCMFormatFlagsSampleFractionMask", 0x1F80},
        {"kLinearPCMFormatFlagsAreAllClear", topBit},
        {"kAppleLosslessFormatFlag_16BitSourceData", 1},
        {"kAppleLosslessFormatFlag_20BitSourceData", 2},
        {"kAppleLosslessFormatFlag_24BitSourceData", 3},
        {"kAppleLosslessFormatFlag_32BitSourceData", 4},
    };
    std::string text;
    for (const auto& [name, value] : lines) {
        if (flags & value)
            text += std::string(name) + " \n";
    }
    return text;
}

std::int32_t ExtAudioConverter::checkStatus(std::int32_t status, std::string_view operation)
{
    if (status == 0)
        return status;
    const std::string characters = fourCharText(static_cast<std::uint32_t>(status));
    bool printable = true;
    for (char c : characters)
        printable = printable && std::isprint(static_cast<unsigned char>(c));
    const std::string rendering = printable ? "'" + characters + "'" : std::to_string(status);
    std::fprintf(stderr, "Error: %s (%s)\n", std::string(operation).c_str(), rendering.c_str());
    std::fflush(stderr);
    return status;
}

} // namespace brindlemoor
