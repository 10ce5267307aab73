#pragma once

#include <string>

namespace brindlemoor {

// The service's model names. Records hold their model as a plain string; any other name works too.
struct Model {
    Model() = delete;

    inline static const std::string gpt4TurboPreview{"gpt-4-turbo-preview"};
    inline static const std::string gpt4VisionPreview{"gpt-4-vision-preview"};
    inline static const std::string gpt4_0125Preview{"gpt-4-0125-preview"};
    inline static const std::string gpt4_1106Preview{"gpt-4-1106-preview"};
    inline static const std::string gpt4{"gpt-4"};
    inline static const std::string gpt4_0613{"gpt-4-0613"};
    inline static const std::string gpt4_0314{"gpt-4-0314"};
    inline static const std::string gpt4_32k{"gpt-4-32k"};
    inline static const std::string gpt4_32k_0613{"gpt-4-32k-0613"};
    inline static const std::string gpt4_32k_0314{"gpt-4-32k-0314"};
    inline static const std::string gpt35Turbo{"gpt-3.5-turbo"};
    inline static const std::string gpt35Turbo0125{"gpt-3.5-turbo-0125"};
    inline static const std::string gpt35Turbo1106{"gpt-3.5-turbo-1106"};
    inline static const std::string gpt35Turbo0613{"gpt-3.5-turbo-0613"};
    inline static const std::string gpt35Turbo0301{"gpt-3.5-turbo-0301"};
    inline static const std::string gpt35Turbo16k{"gpt-3.5-turbo-16k"};
    inline static const std::string gpt35Turbo16k_0613{"gpt-3.5-turbo-16k-0613"};
    inline static const std::string textDavinci003{"text-davinci-003"};
    inline static const std::string textDavinci002{"text-davinci-002"};
    inline static const std::string textCurie001{"text-curie-001"};
    inline static const std::string textBabbage001{"text-babbage-001"};
    inline static const std::string textAda001{"text-ada-001"};
    inline static const std::string textDavinci001{"text-davinci-001"};
    inline static const std::string codeDavinciEdit001{"code-davinci-edit-001"};
    inline static const std::string tts1{"tts-1"};
    inline static const std::string tts1HD{"tts-1-hd"};
    inline static const std::string whisper1{"whisper-1"};
    inline static const std::string dallE2{"dall-e-2"};
    inline static const std::string dallE3{"dall-e-3"};
    inline static const std::string davinci{"davinci"};
    inline static const std::string curie{"curie"};
    inline static const std::string babbage{"babbage"};
    inline static const std::string ada{"ada"};
    inline static const std::string textEmbeddingAda002{"text-embedding-ada-002"};
    inline static const std::string textSearchAdaDoc001{"text-search-ada-doc-001"};
    inline static const std::string textSearchBabbageDoc001{"text-search-babbage-doc-001"};
    inline static const std::string textSearchBabbageQuery001{"text-search-babbage-query-001"};
    inline static const std::string textEmbedding3Small{"text-embedding-3-small"};
    inline static const std::string textEmbedding3Large{"text-embedding-3-large"};
    inline static const std::string textModerationStable{"text-moderation-stable"};
    inline static const std::string textModerationLatest{"text-moderation-latest"};
    inline static const std::string textModeration007{"text-moderation-007"};
};

} // namespace brindlemoor
