#include "hotkeys/gnome/gsettings_symbolic_hot_keys.h"

#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/x11/key_symbol_table.h"

#include <gio/gio.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace brindlemoor {
namespace {

struct SchemaUnref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
struct StringsFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};

std::string lowercased(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    return result;
}

std::optional<std::uint32_t> modifierBit(std::string_view name)
{
    const std::string modifier = lowercased(name);
    if (modifier == "primary" || modifier == "control" || modifier == "ctrl" || modifier == "ctl")
        return carbon::cmdKey;
    if (modifier == "shift" || modifier == "shft")
        return carbon::shiftKey;
    if (modifier == "alt" || modifier == "mod1")
        return carbon::optionKey;
    if (modifier == "super" || modifier == "meta" || modifier == "hyper" || modifier == "mod4")
        return carbon::controlKey;
    return std::nullopt;
}

std::optional<std::uint32_t> keyCodeForName(const std::string& name)
{
    xkb_keysym_t symbol = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (symbol == XKB_KEY_NoSymbol)
        symbol = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (symbol == XKB_KEY_NoSymbol)
        return std::nullopt;
    return KeySymbolTable::carbonKeyCodeForKeySymbol(symbol);
}

void appendAccelerator(const char* accelerator, std::vector<SymbolicHotKeyEntry>& entries)
{
    if (auto entry = GSettingsSymbolicHotKeys::entryForAccelerator(accelerator))
        entries.push_back(*entry);
}

} // namespace

GSettingsSymbolicHotKeys::GSettingsSymbolicHotKeys(std::vector<std::string> schemaIds)
    : schemaIds_(std::move(schemaIds))
{
}

std::vector<std::string> GSettingsSymbolicHotKeys::defaultSchemaIds()
{
    return {"org.gnome.desktop.wm.keybindings", "org.gnome.mutter.keybindings", "org.gnome.mutter.wayland.keybindings",
            "org.gnome.shell.keybindings", "org.gnome.settings-daemon.plugins.media-keys"};
}

SymbolicHotKeys::Listing GSettingsSymbolicHotKeys::copySymbolicHotKeys()
{
    Listing listing;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    bool anySchema = false;
    for (const std::string& schemaId : schemaIds_) {
        if (source == nullptr)
            break;
        std::unique_ptr<GSettingsSchema, SchemaUnref> schema(
            g_settings_schema_source_lookup(source, schemaId.c_str(), TRUE));
        if (!schema)
            continue;
        anySchema = true;
        std::unique_ptr<GSettings, ObjectUnref> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
        std::unique_ptr<gchar*, StringsFree> keys(g_settings_schema_list_keys(schema.get()));
        for (gchar** key = keys.get(); *key != nullptr; ++key) {
            std::unique_ptr<GVariant, VariantUnref> value(g_settings_get_value(settings.get(), *key));
            if (g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING)) {
                appendAccelerator(g_variant_get_string(value.get(), nullptr), listing.entries);
            } else if (g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING_ARRAY)) {
                // The strings belong to the value; only the array is the caller's.
                std::unique_ptr<const gchar*, decltype(&g_free)> accelerators(g_variant_get_strv(value.get(), nullptr),
                                                                               g_free);
                for (const gchar** accelerator = accelerators.get(); *accelerator != nullptr; ++accelerator)
                    appendAccelerator(*accelerator, listing.entries);
            }
        }
    }
    if (!anySchema) {
        listing.entries.clear();
        listing.error = PlatformError{"HotKeys", 1,
                                      "The desktop's own shortcuts cannot be read: none of the known shortcut "
                                      "settings is installed."};
    }
    return listing;
}

std::optional<SymbolicHotKeyEntry> GSettingsSymbolicHotKeys::entryForAccelerator(std::string_view accelerator)
{
    if (accelerator.empty() || accelerator == "disabled")
        return std::nullopt;
    SymbolicHotKeyEntry entry;
    entry.enabled = true;
    std::uint32_t modifiers = 0;
    bool modifiersKnown = true;
    while (!accelerator.empty() && accelerator.front() == '<') {
        const std::size_t close = accelerator.find('>');
        if (close == std::string_view::npos)
            break;
        if (const auto bit = modifierBit(accelerator.substr(1, close - 1)))
            modifiers |= *bit;
        else
            modifiersKnown = false;
        accelerator.remove_prefix(close + 1);
    }
    if (modifiersKnown)
        entry.modifiers = modifiers;
    if (!accelerator.empty())
        entry.keyCode = keyCodeForName(std::string(accelerator));
    return entry;
}

} // namespace brindlemoor
