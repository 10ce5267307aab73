#include "platform/linux/xkb/keyboard_layout_registry.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <memory>
#include <unicode/uloc.h>
#include <unordered_map>

namespace brindlemoor {
namespace {

struct XmlDocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

struct XmlStringDeleter {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

std::string nodeName(const xmlNode* node)
{
    return reinterpret_cast<const char*>(node->name);
}

const xmlNode* child(const xmlNode* parent, const char* name)
{
    for (const xmlNode* node = parent->children; node != nullptr; node = node->next) {
        if (node->type == XML_ELEMENT_NODE && nodeName(node) == name)
            return node;
    }
    return nullptr;
}

std::string text(const xmlNode* node)
{
    if (node == nullptr)
        return {};
    std::unique_ptr<xmlChar, XmlStringDeleter> content(xmlNodeGetContent(node));
    return content ? reinterpret_cast<const char*>(content.get()) : std::string();
}

// The configItem's first <languageList><iso639Id>.
std::string firstLanguage(const xmlNode* configItem)
{
    const xmlNode* list = configItem != nullptr ? child(configItem, "languageList") : nullptr;
    return list != nullptr ? text(child(list, "iso639Id")) : std::string();
}

// ISO 639-2 codes to ISO 639-1, from ICU's language table.
const std::unordered_map<std::string, std::string>& twoLetterCodes()
{
    static const std::unordered_map<std::string, std::string> codes = [] {
        std::unordered_map<std::string, std::string> map;
        for (const char* const* language = uloc_getISOLanguages(); *language != nullptr; ++language) {
            std::string two = *language;
            if (two.size() != 2)
                continue;
            map.emplace(uloc_getISO3Language(two.c_str()), two);
        }
        return map;
    }();
    return codes;
}

} // namespace

KeyboardLayoutRegistry::KeyboardLayoutRegistry(const std::string& path)
{
    std::unique_ptr<xmlDoc, XmlDocumentDeleter> document(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR));
    if (!document)
        return;
    const xmlNode* root = xmlDocGetRootElement(document.get());
    const xmlNode* layoutList = root != nullptr ? child(root, "layoutList") : nullptr;
    if (layoutList == nullptr)
        return;
    for (const xmlNode* layout = layoutList->children; layout != nullptr; layout = layout->next) {
        if (layout->type != XML_ELEMENT_NODE || nodeName(layout) != "layout")
            continue;
        const xmlNode* item = child(layout, "configItem");
        if (item == nullptr)
            continue;
        std::string name = text(child(item, "name"));
        if (std::string language = firstLanguage(item); !language.empty())
            languages_[name] = language;
        const xmlNode* variants = child(layout, "variantList");
        for (const xmlNode* variant = variants != nullptr ? variants->children : nullptr; variant != nullptr;
             variant = variant->next) {
            if (variant->type != XML_ELEMENT_NODE || nodeName(variant) != "variant")
                continue;
            const xmlNode* variantItem = child(variant, "configItem");
            if (variantItem == nullptr)
                continue;
            if (std::string language = firstLanguage(variantItem); !language.empty())
                languages_[name + "(" + text(child(variantItem, "name")) + ")"] = language;
        }
    }
}

std::optional<std::string> KeyboardLayoutRegistry::language(const std::string& layout, const std::string& variant) const
{
    auto found = languages_.end();
    if (!variant.empty())
        found = languages_.find(layout + "(" + variant + ")");
    if (found == languages_.end())
        found = languages_.find(layout);
    if (found == languages_.end())
        return std::nullopt;
    const auto& codes = twoLetterCodes();
    auto two = codes.find(found->second);
    return two != codes.end() ? two->second : found->second;
}

} // namespace brindlemoor
