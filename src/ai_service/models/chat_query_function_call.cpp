#include "ai_service/models/chat_query_function_call.h"

namespace brindlemoor {

void ChatQueryFunctionCall::encode(KeyedEncoder& encoder) const
{
    encoder.encodeIfPresent("name", name);
    encoder.encodeIfPresent("arguments", arguments);
}

ChatQueryFunctionCall ChatQueryFunctionCall::decode(const KeyedDecoder& decoder)
{
    auto name = decoder.decodeIfPresent<std::string>("name");
    auto arguments = decoder.decodeIfPresent<std::string>("arguments");
    return {std::move(name), std::move(arguments)};
}

} // namespace brindlemoor
