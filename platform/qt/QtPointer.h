#pragma once
// The hourglass as Qt's application-wide override cursor.

#include "platform/Pointer.h"

namespace kst {

class QtPointer : public PointerShapes {
public:
    ~QtPointer() override;
    void showBusy() override;
    // A restore without a matching showBusy changes nothing, so it never takes away a cursor
    // someone else has set.
    void restore() override;

private:
    int m_depth = 0;
};

} // namespace kst
