#include "ai_service/models/chat_function_call.h"

namespace brindlemoor {

void ChatFunctionCall::encode(KeyedEncoder& encoder) const
{
    encoder.encodeIfPresent("name", name);
    encoder.encodeIfPresent("arguments", arguments);
}

ChatFunctionCall ChatFunctionCall::decode(const KeyedDecoder& decoder)
{
    auto name = decoder.decodeIfPresent<std::string>("name");
    auto arguments = decoder.decodeIfPresent<std::string>("arguments");
    return {std::move(name), std::move(arguments)};
}

} // namespace brindlemoor
