#include "ai_service/models/audio_transcription_query.h"
#include "ai_service/models/audio_translation_query.h"
#include "ai_service/models/image_edits_query.h"
#include "ai_service/models/image_variations_query.h"
#include "ai_service/models/model.h"
#include "ai_service/models/multipart_form_data_body_builder.h"
#include "ai_service/models/multipart_form_data_body_encodable.h"

#include <gtest/gtest.h>

#include <regex>

namespace brindlemoor {
namespace {

static_assert(MultipartFormDataBodyEncodable<AudioTranscriptionQuery>);
static_assert(MultipartFormDataBodyEncodable<AudioTranslationQuery>);
static_assert(MultipartFormDataBodyEncodable<ImageEditsQuery>);
static_assert(MultipartFormDataBodyEncodable<ImageVariationsQuery>);

std::string text(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// The form field names of a body, in order.
std::vector<std::string> partNames(const std::string& body)
{
    std::vector<std::string> names;
    const std::regex disposition("Content-Disposition: form-data; name=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), disposition); it != std::sregex_iterator(); ++it) {
        names.push_back((*it)[1]);
    }
    return names;
}

TEST(MultipartFormDataBody, WritesFileAndFieldPartsByteForByte)
{
    const std::vector<std::uint8_t> data{'R', 'I', 'F', 'F', 0, '\r', '\n', 0xFF};
    const MultipartFormDataBodyBuilder builder("B",
        {
            MultipartFormDataEntry::string("model", std::string("whisper-1")),
            MultipartFormDataEntry::file("file", std::string("a.wav"), data, "audio/mpeg"),
            MultipartFormDataEntry::string("empty", std::string()),
        });
    const std::string expected = "--B\r\nContent-Disposition: form-data; name=\"model\"\r\n\r\nwhisper-1\r\n"
                                 "--B\r\nContent-Disposition: form-data; name=\"file\"; filename=\"a.wav\"\r\n"
                                 "Content-Type: audio/mpeg\r\n\r\n"
        + std::string(data.begin(), data.end())
        + "\r\n"
          "--B\r\nContent-Disposition: form-data; name=\"empty\"\r\n\r\n\r\n"
          "--B--\r\n";
    EXPECT_EQ(text(builder.build()), expected);
}

TEST(MultipartFormDataBody, EntriesWithoutValueWriteNothingButTheClosingBoundary)
{
    EXPECT_EQ(text(MultipartFormDataBodyBuilder("xyz", {}).build()), "--xyz--\r\n");
    const MultipartFormDataBodyBuilder allEmpty("xyz",
        {
            MultipartFormDataEntry::string("prompt", std::optional<std::string>()),
            MultipartFormDataEntry::file("mask", std::nullopt, std::vector<std::uint8_t>{1}, "image/png"),
            MultipartFormDataEntry::file("mask", std::string("m.png"), std::nullopt, "image/png"),
        });
    EXPECT_EQ(text(allEmpty.build()), "--xyz--\r\n");

    const MultipartFormDataBodyBuilder emptyFile(
        "b", {MultipartFormDataEntry::file("f", std::string("n"), std::vector<std::uint8_t>{}, "t/t")});
    EXPECT_EQ(text(emptyFile.build()),
        "--b\r\nContent-Disposition: form-data; name=\"f\"; filename=\"n\"\r\nContent-Type: t/t\r\n\r\n\r\n--b--\r\n");
}

TEST(MultipartFormDataBody, FileNamesCannotBreakOutOfTheirHeader)
{
    const AudioTranscriptionQuery query({'x'}, "a\".wav\r\n--b\r\nContent-Disposition: form-data; name=\"model\"\r\n\r\nevil",
        Model::whisper1);
    const auto body = text(query.encode("b"));
    EXPECT_EQ(partNames(body), (std::vector<std::string>{"file", "model"}));
    EXPECT_NE(body.find("filename=\"a%22.wav%0D%0A--b%0D%0AContent-Disposition: form-data; name=%22model%22%0D%0A%0D%0Aevil\"\r\n"),
        std::string::npos);
    EXPECT_EQ(body.find("\r\nevil"), std::string::npos);
}

TEST(MultipartQueries, TranscriptionRendersDoublesIntegersEnumsAndSkipsNone)
{
    const AudioTranscriptionQuery query({'x'}, "speech.m4a", Model::whisper1, std::nullopt, 0.0, "de",
        AudioResponseFormat::verboseJson);
    EXPECT_EQ(text(query.encode("BOUNDARY")),
        "--BOUNDARY\r\nContent-Disposition: form-data; name=\"file\"; filename=\"speech.m4a\"\r\n"
        "Content-Type: audio/mpeg\r\n\r\nx\r\n"
        "--BOUNDARY\r\nContent-Disposition: form-data; name=\"model\"\r\n\r\nwhisper-1\r\n"
        "--BOUNDARY\r\nContent-Disposition: form-data; name=\"temperature\"\r\n\r\n0.0\r\n"
        "--BOUNDARY\r\nContent-Disposition: form-data; name=\"language\"\r\n\r\nde\r\n"
        "--BOUNDARY\r\nContent-Disposition: form-data; name=\"response_format\"\r\n\r\nverbose_json\r\n"
        "--BOUNDARY--\r\n");

    const AudioTranscriptionQuery minimal({}, "a.wav", Model::whisper1);
    EXPECT_EQ(partNames(text(minimal.encode("b"))), (std::vector<std::string>{"file", "model"}));
}

TEST(MultipartQueries, TranslationAndImageQueriesListTheirPartsInTheirOwnOrder)
{
    const AudioTranslationQuery translation({'x'}, "a.mp3", Model::whisper1, "p", 0.5, AudioResponseFormat::srt);
    const auto translationBody = text(translation.encode("b"));
    EXPECT_EQ(partNames(translationBody),
        (std::vector<std::string>{"file", "model", "prompt", "response_format", "temperature"}));
    EXPECT_NE(translationBody.find("\r\n\r\n0.5\r\n"), std::string::npos);

    ImageEditsQuery edits{.image = {1}, .fileName = "i.png", .mask = std::vector<std::uint8_t>{2}, .maskFileName = "m.png",
        .prompt = "a cat", .n = 2, .size = "256x256"};
    const auto editsBody = text(edits.encode("b"));
    EXPECT_EQ(partNames(editsBody), (std::vector<std::string>{"image", "mask", "prompt", "n", "size"}));
    EXPECT_NE(editsBody.find("name=\"n\"\r\n\r\n2\r\n"), std::string::npos);
    EXPECT_NE(editsBody.find("filename=\"m.png\"\r\nContent-Type: image/png\r\n"), std::string::npos);

    edits.maskFileName.reset();
    edits.n.reset();
    EXPECT_EQ(partNames(text(edits.encode("b"))), (std::vector<std::string>{"image", "prompt", "size"}));

    const ImageVariationsQuery variations{.image = {7}, .fileName = "v.png"};
    EXPECT_EQ(text(variations.encode("b")),
        "--b\r\nContent-Disposition: form-data; name=\"image\"; filename=\"v.png\"\r\n"
        "Content-Type: image/png\r\n\r\n\x07\r\n--b--\r\n");
}

} // namespace
} // namespace brindlemoor
