#include "scene/change_stamp.h"

#include <atomic>

TQR_ChangeNumber NextChangeNumber()
{
    static std::atomic<TQR_ChangeNumber> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}
