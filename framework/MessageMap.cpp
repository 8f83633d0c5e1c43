#include "framework/MessageMap.h"

namespace {

bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam) {
    if (entry.registered) return *entry.registered != 0 && *entry.registered == message;
    if (entry.message == kAnyCtlColorMessage) return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    if (entry.message != message) return false;
    if (message != WM_COMMAND) return true;
    return HIWORD(wParam) == entry.code && LOWORD(wParam) == entry.id;
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam) {
    for (; map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk; ++entry) {
            if (Matches(*entry, message, wParam)) return entry;
        }
    }
    return nullptr;
}
