#include "ai_service/models/chat.h"

namespace brindlemoor {

void Chat::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::role, role);
    encoder.encodeIfPresent(CodingKeys::name, name);
    encoder.encodeIfPresent(CodingKeys::functionCall, functionCall);
    if (content) {
        encoder.encode(CodingKeys::content, *content);
    } else if (role == Role::assistant && functionCall) {
        encoder.encodeNull(CodingKeys::content);
    }
}

Chat Chat::decode(const KeyedDecoder& decoder)
{
    Chat chat;
    chat.role = decoder.decode<Role>(CodingKeys::role);
    chat.content = decoder.decodeIfPresent<std::string>(CodingKeys::content);
    chat.name = decoder.decodeIfPresent<std::string>(CodingKeys::name);
    chat.functionCall = decoder.decodeIfPresent<ChatFunctionCall>(CodingKeys::functionCall);
    return chat;
}

} // namespace brindlemoor
