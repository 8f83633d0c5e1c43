#pragma once
// Root of every class that has a message map.

#include "framework/MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

protected:
    static const MessageMap* GetThisMessageMap();
};
