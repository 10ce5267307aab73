#include "ai_service/models/multipart_form_data_body_builder.h"

#include "ai_service/models/decimal_text.h"

#include <string_view>

namespace brindlemoor {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void append(std::vector<std::uint8_t>& body, std::string_view text)
{
    body.insert(body.end(), text.begin(), text.end());
}

// A quotation mark or line break in a field or file name would end the header early and let the
// name write headers or parts of its own; they are percent-encoded as browsers do.
void appendQuoted(std::vector<std::uint8_t>& body, std::string_view name)
{
    append(body, "\"");
    for (const char character : name) {
        switch (character) {
        case '"':
            append(body, "%22");
            break;
        case '\r':
            append(body, "%0D");
            break;
        case '\n':
            append(body, "%0A");
            break;
        default:
            body.push_back(static_cast<std::uint8_t>(character));
        }
    }
    append(body, "\"");
}

std::string valueText(const MultipartFormDataValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*integer);
    }
    return decimalText(std::get<double>(value));
}

void render(std::vector<std::uint8_t>& body, std::string_view boundary, const MultipartFormDataEntry::File& file)
{
    if (!file.fileName || !file.data) {
        return;
    }
    append(body, "--");
    append(body, boundary);
    append(body, kLineEnd);
    append(body, "Content-Disposition: form-data; name=");
    appendQuoted(body, file.name);
    append(body, "; filename=");
    appendQuoted(body, *file.fileName);
    append(body, kLineEnd);
    append(body, "Content-Type: ");
    append(body, file.contentType);
    append(body, kLineEnd);
    append(body, kLineEnd);
    body.insert(body.end(), file.data->begin(), file.data->end());
    append(body, kLineEnd);
}

void render(std::vector<std::uint8_t>& body, std::string_view boundary, const MultipartFormDataEntry::String& field)
{
    if (!field.value) {
        return;
    }
    append(body, "--");
    append(body, boundary);
    append(body, kLineEnd);
    append(body, "Content-Disposition: form-data; name=");
    appendQuoted(body, field.name);
    append(body, kLineEnd);
    append(body, kLineEnd);
    append(body, valueText(*field.value));
    append(body, kLineEnd);
}

} // namespace

MultipartFormDataBodyBuilder::MultipartFormDataBodyBuilder(std::string boundary, std::vector<MultipartFormDataEntry> entries)
    : boundary_(std::move(boundary))
    , entries_(std::move(entries))
{
}

std::vector<std::uint8_t> MultipartFormDataBodyBuilder::build() const
{
    std::vector<std::uint8_t> body;
    for (const auto& entry : entries_) {
        std::visit([&](const auto& part) { render(body, boundary_, part); }, entry.content);
    }
    append(body, "--");
    append(body, boundary_);
    append(body, "--");
    append(body, kLineEnd);
    return body;
}

} // namespace brindlemoor
