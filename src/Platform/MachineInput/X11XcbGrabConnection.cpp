#include "Platform/MachineInput/X11XcbGrabConnection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
// The keyboard extension's header names a member `explicit`, a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace tessarin {

namespace {

// The core keyboard mapping's columns of a key's first group: without and with Shift.
constexpr int kColumnsOfFirstGroup = 2;

xcb_connection_t* qtConnection() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QGuiApplication::platformName() != "xcb") {
        return nullptr;
    }
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The first group of each key and the types that pick its level, from the server's keyboard
// description; empty when the server has no keyboard extension.
X11KeyboardMap readXkbMap(xcb_connection_t* c) {
    X11KeyboardMap map;
    xcb_xkb_use_extension_reply_t* use = xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool supported = use != nullptr && use->supported;
    std::free(use);
    if (!supported) {
        return map;
    }
    const uint16_t parts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS;
    xcb_xkb_get_map_reply_t* reply =
        xcb_xkb_get_map_reply(c,
                              xcb_xkb_get_map(c, XCB_XKB_ID_USE_CORE_KBD, parts, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
                              nullptr);
    if (reply == nullptr) {
        return map;
    }
    xcb_xkb_get_map_map_t parsed{};
    xcb_xkb_get_map_map_unpack(xcb_xkb_get_map_map(reply), reply->nTypes, reply->nKeySyms,
                               reply->nKeyActions, reply->totalActions, reply->totalKeyBehaviors,
                               reply->virtualMods, reply->totalKeyExplicit, reply->totalModMapKeys,
                               reply->totalVModMapKeys, reply->present, &parsed);
    struct Type {
        uint16_t modifiers;
        std::vector<X11KeyTypeEntry> entries;
    };
    std::vector<Type> types;
    for (auto it = xcb_xkb_get_map_map_types_rtrn_iterator(reply, &parsed); it.rem > 0;
         xcb_xkb_key_type_next(&it)) {
        Type type{it.data->mods_mask, {}};
        const xcb_xkb_kt_map_entry_t* entries = xcb_xkb_key_type_map(it.data);
        for (int i = 0; i < xcb_xkb_key_type_map_length(it.data); ++i) {
            if (entries[i].active) {
                type.entries.push_back({entries[i].mods_mask, entries[i].level});
            }
        }
        types.push_back(std::move(type));
    }
    int keyCode = reply->firstKeySym;
    for (auto it = xcb_xkb_get_map_map_syms_rtrn_iterator(reply, &parsed); it.rem > 0;
         xcb_xkb_key_sym_map_next(&it), ++keyCode) {
        const xcb_xkb_key_sym_map_t* symbols = it.data;
        if (symbols->nSyms == 0 || symbols->width == 0) {
            continue;
        }
        X11KeyboardKey key;
        key.keyCode = static_cast<uint8_t>(keyCode);
        if (symbols->kt_index[0] < types.size()) {
            key.typeModifiers = types[symbols->kt_index[0]].modifiers;
            key.entries = types[symbols->kt_index[0]].entries;
        }
        const xcb_keysym_t* syms = xcb_xkb_key_sym_map_syms(symbols);
        key.levels.assign(syms, syms + std::min<int>(symbols->width, symbols->nSyms));
        map.keys.push_back(std::move(key));
    }
    std::free(reply);
    return map;
}

class XcbGrabConnection final : public X11GrabConnection {
public:
    explicit XcbGrabConnection(xcb_connection_t* connection)
        : c_(connection), symbols_(xcb_key_symbols_alloc(connection)),
          root_(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root) {}
    ~XcbGrabConnection() override { xcb_key_symbols_free(symbols_); }
    XcbGrabConnection(const XcbGrabConnection&) = delete;
    XcbGrabConnection& operator=(const XcbGrabConnection&) = delete;

    uint32_t root() const override { return root_; }

    X11ModifierMapping modifierMapping() override {
        X11ModifierMapping mapping;
        xcb_get_modifier_mapping_reply_t* reply =
            xcb_get_modifier_mapping_reply(c_, xcb_get_modifier_mapping(c_), nullptr);
        if (reply == nullptr) {
            return mapping;
        }
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (std::size_t modifier = 0; modifier < mapping.keys.size(); ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                if (code != XCB_NO_SYMBOL) {
                    mapping.keys[modifier].push_back(code);
                    mapping.keySyms[code] = keySymsOf(code);
                }
            }
        }
        std::free(reply);
        return mapping;
    }

    X11KeyboardMap keyboardMap() override { return readXkbMap(c_); }

    uint8_t keyCodeFor(uint32_t keySym) override {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keySym);
        const xcb_keycode_t code = codes != nullptr ? codes[0] : XCB_NO_SYMBOL;
        std::free(codes);
        return code;
    }

    std::vector<bool> grab(const std::vector<X11KeyGrab>& keys) override {
        std::vector<std::vector<xcb_void_cookie_t>> cookies;
        for (const X11KeyGrab& key : keys) {
            std::vector<xcb_void_cookie_t>& sent = cookies.emplace_back();
            for (uint16_t modifiers : key.states) {
                sent.push_back(xcb_grab_key_checked(c_, 0, root_, modifiers, key.keyCode,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
        // The first check waits for the server to have answered every request sent; the
        // others find their answers already read.
        std::vector<bool> grabbed;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            bool taken = false;
            for (const xcb_void_cookie_t& cookie : cookies[i]) {
                if (xcb_generic_error_t* error = xcb_request_check(c_, cookie)) {
                    taken = true;
                    std::free(error);
                }
            }
            if (taken) {
                ungrab(keys[i].keyCode, keys[i].states);
            }
            grabbed.push_back(!taken);
        }
        return grabbed;
    }

    void ungrab(uint8_t keyCode, const std::vector<uint16_t>& states) override {
        for (uint16_t modifiers : states) {
            xcb_ungrab_key(c_, keyCode, root_, modifiers);
        }
    }

    uint16_t modifierState() override {
        xcb_query_pointer_reply_t* reply =
            xcb_query_pointer_reply(c_, xcb_query_pointer(c_, root_), nullptr);
        const uint16_t state = reply != nullptr ? reply->mask : 0;
        std::free(reply);
        return state;
    }

    void flush() override { xcb_flush(c_); }

private:
    // The symbols of the key's levels in its first group.
    std::vector<uint32_t> keySymsOf(xcb_keycode_t code) {
        std::vector<uint32_t> keySyms;
        for (int column = 0; column < kColumnsOfFirstGroup; ++column) {
            if (const xcb_keysym_t keySym = xcb_key_symbols_get_keysym(symbols_, code, column)) {
                keySyms.push_back(keySym);
            }
        }
        return keySyms;
    }

    xcb_connection_t* c_;
    xcb_key_symbols_t* symbols_;
    uint32_t root_;
};

} // namespace

std::unique_ptr<X11GrabConnection> makeX11XcbGrabConnection() {
    xcb_connection_t* connection = qtConnection();
    if (connection == nullptr) {
        return nullptr;
    }
    return std::make_unique<XcbGrabConnection>(connection);
}

} // namespace tessarin
