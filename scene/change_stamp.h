// When something a view shows last changed. Every change takes the next number of one
// process-wide count, so the latest change among any set of objects is the largest of their
// numbers, however objects joined or left the set in between (a sum or a per-object counter
// could come back to a value a view has already drawn). A view keeps the number it drew and
// draws again only when the scene's latest number differs.
#pragma once

#include <cstdint>

using TQR_ChangeNumber = std::uint64_t;

// Larger than every number handed out before; safe to call from any thread.
TQR_ChangeNumber NextChangeNumber();

// The number of an object's last change; a new object counts as changed when it is made.
class TQR_ChangeStamp {
public:
    TQR_ChangeStamp() : m_number(NextChangeNumber()) {}

    void Touch() { m_number = NextChangeNumber(); }
    TQR_ChangeNumber Get() const { return m_number; }

    // Stores the value and touches the stamp, unless the member holds that value already: a
    // setter called on every tick with the same value is no change.
    template <typename T> void Assign(T& member, const T& value)
    {
        if (!(member == value)) {
            member = value;
            Touch();
        }
    }

private:
    TQR_ChangeNumber m_number;
};
