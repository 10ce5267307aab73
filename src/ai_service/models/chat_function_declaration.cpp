#include "ai_service/models/chat_function_declaration.h"

namespace brindlemoor {

void ChatFunctionDeclaration::encode(KeyedEncoder& encoder) const
{
    encoder.encode("name", name);
    encoder.encode("description", description);
    encoder.encode("parameters", parameters);
}

ChatFunctionDeclaration ChatFunctionDeclaration::decode(const KeyedDecoder& decoder)
{
    auto name = decoder.decode<std::string>("name");
    auto description = decoder.decode<std::string>("description");
    auto parameters = decoder.decode<JSONSchema>("parameters");
    return {std::move(name), std::move(description), std::move(parameters)};
}

} // namespace brindlemoor
