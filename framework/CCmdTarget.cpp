#include "framework/CCmdTarget.h"

const MessageMap CCmdTarget::kMessageMap{nullptr};

const MessageEntry* MessageMap::Find(UINT message, UINT id, UINT code) const {
    for (const MessageMap* map = this; map; map = map->base) {
        for (const MessageEntry* entry = map->first; entry != map->last; ++entry) {
            if (entry->message == message && entry->id == id && entry->code == code) return entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code, bool execute) { return DispatchCommand(id, code, execute); }

bool CCmdTarget::DispatchCommand(UINT id, UINT code, bool execute) {
    const MessageEntry* entry = GetMessageMap()->Find(WM_COMMAND, id, code);
    if (!entry) return false;
    if (execute) entry->thunk(*this, MAKEWPARAM(id, code), 0);
    return true;
}
