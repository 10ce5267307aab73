#pragma once

#include "ai_service/models/multipart_form_data_entry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brindlemoor {

// Renders a "multipart/form-data" body: the entries in list order, then the closing boundary.
// Entries without a value (or a file without name or bytes) write no part.
class MultipartFormDataBodyBuilder {
public:
    // The boundary without its leading hyphens.
    MultipartFormDataBodyBuilder(std::string boundary, std::vector<MultipartFormDataEntry> entries);

    const std::string& boundary() const { return boundary_; }
    const std::vector<MultipartFormDataEntry>& entries() const { return entries_; }

    std::vector<std::uint8_t> build() const;

private:
    std::string boundary_;
    std::vector<MultipartFormDataEntry> entries_;
};

} // namespace brindlemoor
