#include "engine/ext_audio_converter.h"

#include "engine/four_char_code.h"
#include "engine/wav_kit.h"
#include "audio_files.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brindlemoor {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

class ExtAudioConverterTest : public ::testing::Test {
protected:
    std::filesystem::path file(const char* name) const { return folder_.path() / name; }

    // Converts a 2.5 s tone to the given output; answers what convert() said.
    bool convertTone(std::uint32_t fileType, std::uint32_t formatID, const char* outputName)
    {
        testing::writeTone(file("tone.wav"), 2.5);
        ExtAudioConverter converter;
        converter.inputFile = file("tone.wav");
        converter.outputFile = file(outputName);
        converter.outputFileType = fileType;
        converter.outputFormatID = formatID;
        return converter.convert();
    }

    testing::TemporaryFolder folder_;
};

TEST_F(ExtAudioConverterTest, UnsetPropertiesTakeTheDefaults)
{
    ExtAudioConverter converter;
    converter.validateInput();
    EXPECT_EQ(converter.outputSampleRate, 44100);
    EXPECT_EQ(converter.outputNumberChannels, 2);
    EXPECT_EQ(converter.outputBitDepth, 16);
    EXPECT_EQ(converter.outputFormatID, fourCharCode("lpcm"));
    EXPECT_EQ(converter.outputFileType, fourCharCode("caff"));

    CaptureStderr();
    ASSERT_TRUE(convertTone(0, 0, "default.caf"));
    GetCapturedStderr();
    const SF_INFO info = testing::audioInfo(file("default.caf"));
    EXPECT_EQ(info.format, SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
}

TEST(ExtAudioConverterPairs, FollowTheTableOfFileTypesAndDataFormats)
{
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("caff"), fourCharCode("aac ")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("AIFC"), fourCharCode("Qclp")));
    EXPECT_FALSE(ExtAudioConverter::isValidPair(fourCharCode("AIFF"), fourCharCode("ulaw")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("Sd2f"), fourCharCode("lpcm")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("MPG3"), fourCharCode(".mp3")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("NeXT"), fourCharCode("ulaw")));
    EXPECT_FALSE(ExtAudioConverter::isValidPair(fourCharCode("NeXT"), fourCharCode("alaw")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("WAVE"), fourCharCode("alaw")));
    EXPECT_FALSE(ExtAudioConverter::isValidPair(fourCharCode("WAVE"), fourCharCode("aac ")));
    EXPECT_FALSE(ExtAudioConverter::isValidPair(fourCharCode("ac-3"), fourCharCode("ac-3")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("adts"), fourCharCode("aac ")));
    EXPECT_FALSE(ExtAudioConverter::isValidPair(fourCharCode("mp4f"), fourCharCode("alac")));
    EXPECT_TRUE(ExtAudioConverter::isValidPair(fourCharCode("m4af"), fourCharCode("alac")));
}

TEST(ExtAudioConverterDeathTest, AnInvalidPairEndsTheProcessWithStatus255)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ExtAudioConverter converter;
    converter.outputFileType = fourCharCode("WAVE");
    converter.outputFormatID = fourCharCode("aac ");
    EXPECT_EXIT(converter.validateInput(), ::testing::ExitedWithCode(255),
                "the file format and data format pair is not valid");
}

TEST_F(ExtAudioConverterTest, ConvertsARecordingLongerThanOneReadWhole)
{
    testing::writeTone(file("long.wav"), 3.0, 44100, 2);
    CaptureStderr();
    WavKit::convertWavTo16kHz(file("long.wav"), file("converted-audio.wav"));
    GetCapturedStderr();
    SoundFile converted(file("converted-audio.wav"), SFM_READ);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted.info().format, SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE);
    EXPECT_EQ(converted.info().samplerate, 16000);
    EXPECT_EQ(converted.info().channels, 1);
    EXPECT_NEAR(static_cast<double>(converted.info().frames), 48000, 2);
    // The tone keeps its level to the end: nothing was cut or padded with silence.
    std::vector<float> samples(static_cast<std::size_t>(converted.info().frames));
    sf_readf_float(converted.get(), samples.data(), converted.info().frames);
    float peakOfLastTenth = 0;
    for (std::size_t i = samples.size() * 9 / 10; i < samples.size() - 100; ++i)
        peakOfLastTenth = std::max(peakOfLastTenth, std::abs(samples[i]));
    EXPECT_NEAR(peakOfLastTenth, 0.5f, 0.02f);
}

TEST_F(ExtAudioConverterTest, WritesTheDataFormatsTheContainersAccept)
{
    CaptureStderr();
    ASSERT_TRUE(convertTone(fourCharCode("WAVE"), fourCharCode("ulaw"), "ulaw.wav"));
    ASSERT_TRUE(convertTone(fourCharCode("AIFF"), fourCharCode("lpcm"), "pcm.aiff"));
    ASSERT_TRUE(convertTone(fourCharCode("NeXT"), fourCharCode("lpcm"), "pcm.au"));
    const std::string printed = GetCapturedStderr();
    EXPECT_EQ(testing::audioInfo(file("ulaw.wav")).format, SF_FORMAT_WAV | SF_FORMAT_ULAW);
    EXPECT_EQ(testing::audioInfo(file("pcm.aiff")).format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG);
    EXPECT_EQ(testing::audioInfo(file("pcm.au")).format, SF_FORMAT_AU | SF_FORMAT_PCM_16);
    EXPECT_NE(printed.find("kAudioFormatFlagIsBigEndian"), std::string::npos);
    EXPECT_EQ(printed.find("Error"), std::string::npos);
}

TEST_F(ExtAudioConverterTest, FailuresAreReportedWithTheirStatus)
{
    ExtAudioConverter unset;
    CaptureStderr();
    EXPECT_FALSE(unset.convert());
    EXPECT_NE(GetCapturedStderr().find("Source file is not set"), std::string::npos);
    unset.inputFile = file("missing.wav");
    CaptureStderr();
    EXPECT_FALSE(unset.convert());
    EXPECT_NE(GetCapturedStderr().find("Output file is no set"), std::string::npos);

    ExtAudioConverter missing;
    missing.inputFile = file("missing.wav");
    missing.outputFile = file("out.caf");
    CaptureStderr();
    EXPECT_FALSE(missing.convert());
    EXPECT_NE(GetCapturedStderr().find("Error: ExtAudioFileOpenURL failed (-43)\n"), std::string::npos);

    // A container libsndfile cannot write, and a data format it cannot write.
    CaptureStderr();
    EXPECT_FALSE(convertTone(fourCharCode("m4af"), fourCharCode("aac "), "out.m4a"));
    EXPECT_FALSE(convertTone(fourCharCode("caff"), fourCharCode("QDM2"), "out.caf"));
    const std::string printed = GetCapturedStderr();
    EXPECT_NE(printed.find("Error: Create output file failed, the output file type and output format pair may not "
                           "match ('typ?')"),
              std::string::npos);
    EXPECT_NE(printed.find("match ('fmt?')"), std::string::npos);

    CaptureStderr();
    EXPECT_FALSE(convertTone(fourCharCode("caff"), fourCharCode("zzzz"), "unknown.caf"));
    EXPECT_NE(GetCapturedStderr().find(
                  "Error: AudioFormatGetProperty kAudioFormatProperty_FormatInfo failed ('fmt?')"),
              std::string::npos);
}

TEST_F(ExtAudioConverterTest, Mp3GetsNoOutputFileAndFailsOnWrite)
{
    CaptureStderr();
    EXPECT_FALSE(convertTone(fourCharCode("MPG3"), fourCharCode(".mp3"), "out.mp3"));
    EXPECT_NE(GetCapturedStderr().find("Error: ExtAudioFileWrite failed (-50)"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file("out.mp3")));
}

TEST(ExtAudioConverterStatus, PrintsFourPrintableCharactersQuotedAndOtherStatusesAsNumbers)
{
    CaptureStderr();
    EXPECT_EQ(ExtAudioConverter::checkStatus(0, "quiet"), 0);
    EXPECT_EQ(ExtAudioConverter::checkStatus(fourCharCode("fmt?"), "ExtAudioFileRead failed"),
              static_cast<std::int32_t>(fourCharCode("fmt?")));
    EXPECT_EQ(ExtAudioConverter::checkStatus(-50, "ExtAudioFileWrite failed"), -50);
    EXPECT_EQ(ExtAudioConverter::checkStatus(0x01020304, "odd"), 0x01020304);
    EXPECT_EQ(GetCapturedStderr(), "Error: ExtAudioFileRead failed ('fmt?')\n"
                                   "Error: ExtAudioFileWrite failed (-50)\n"
                                   "Error: odd (16909060)\n");
}

TEST(ExtAudioConverterDescription, DescribesAFormatLineByLine)
{
    AudioStreamDescription format;
    format.sampleRate = 16000;
    format.formatID = fourCharCode("lpcm");
    format.formatFlags = 12;
    format.bytesPerPacket = 2;
    format.framesPerPacket = 1;
    format.bytesPerFrame = 2;
    format.channelsPerFrame = 1;
    format.bitsPerChannel = 16;
    EXPECT_EQ(ExtAudioConverter::descriptionForAudioFormat(format),
              "\n"
              "Sample Rate:              16000 \n"
              "Format ID:                 lpcm \n"
              "Format Flags:                12 \n"
              "Bytes per Packet:             2 \n"
              "Frames per Packet:            1 \n"
              "Bytes per Frame:              2 \n"
              "Channels per Frame:           1 \n"
              "Bits per Channel:            16 \n"
              "kAudioFormatFlagIsSignedInteger \n"
              "kAudioFormatFlagIsPacked \n"
              "kLinearPCMFormatFlagIsSignedInteger \n"
              "kLinearPCMFormatFlagIsPacked \n"
              "kLinearPCMFormatFlagsSampleFractionShift \n"
              "kAppleLosslessFormatFlag_32BitSourceData \n");
}

TEST(ExtAudioConverterDescription, NamesEachStandardFlagThatIsSet)
{
    EXPECT_EQ(ExtAudioConverter::descriptionForStandardFlags(0), "");
    EXPECT_EQ(ExtAudioConverter::descriptionForStandardFlags(1),
              "kAudioFormatFlagIsFloat \n"
              "kLinearPCMFormatFlagIsFloat \n"
              "kLinearPCMFormatFlagsSampleFractionShift \n"
              "kAppleLosslessFormatFlag_16BitSourceData \n"
              "kAppleLosslessFormatFlag_24BitSourceData \n");
    EXPECT_EQ(ExtAudioConverter::descriptionForStandardFlags(0x80000000u),
              "kAudioFormatFlagsAreAllClear \nkLinearPCMFormatFlagsAreAllClear \n");
    EXPECT_EQ(ExtAudioConverter::descriptionForStandardFlags(0x100),
              "kLinearPCMFormatFlagsSampleFractionMask \n");
    EXPECT_EQ(ExtAudioConverter::descriptionForStandardFlags(96),
              "kAudioFormatFlagIsNonInterleaved \nkAudioFormatFlagIsNonMixable \n"
              "kLinearPCMFormatFlagIsNonInterleaved \nkLinearPCMFormatFlagIsNonMixable \n");
}

} // namespace
} // namespace brindlemoor
