#pragma once
// Port: the pointer shape. File work that may take time shows the hourglass.

namespace kst {

class PointerShapes {
public:
    virtual ~PointerShapes() = default;
    // Shows the hourglass until the matching restore; calls nest.
    virtual void showBusy() = 0;
    virtual void restore() = 0;
};

// Shows the hourglass for the lifetime of the object.
class BusyPointer {
public:
    explicit BusyPointer(PointerShapes& pointer) : m_pointer(pointer) { m_pointer.showBusy(); }
    ~BusyPointer() { m_pointer.restore(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    PointerShapes& m_pointer;
};

} // namespace kst
