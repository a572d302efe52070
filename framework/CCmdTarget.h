#pragma once
// The root of every object that has a message table and can take part in command routing.
#include "framework/MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler for a command or control notification from this object's table, or,
    // with execute false, only tells whether one exists. Overrides extend the route.
    virtual bool OnCmdMsg(UINT id, UINT code, bool execute);

protected:
    virtual const MessageMap* GetMessageMap() const { return &kMessageMap; }
    bool DispatchCommand(UINT id, UINT code, bool execute);

    static const MessageMap kMessageMap;
};
