// The reference holder: every way of taking, passing on and giving up a reference leaves the
// object with exactly the count the holders account for.
#include "platform/d3d9/com_ptr.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

// Counts its references and nothing else, so the holder is checked without a device.
struct Counted {
    unsigned AddRef() { return ++references; }
    unsigned Release() { return --references; }
    unsigned references = 1; // the test's own
};

// A creation call in the device's style: writes a new object with a reference for the caller.
void CreateInto(Counted& object, Counted** out)
{
    object.AddRef();
    *out = &object;
}

TEST(ComPtrTest, ReferenceCountsFollowCopyMoveResetAndOutParameters)
{
    Counted first;
    Counted second;
    ComPtr<Counted> a;
    ComPtr<Counted> b;
    struct Step {
        const char* what;
        std::function<void()> act;
        unsigned firstCount;
        unsigned secondCount;
    };
    const std::vector<Step> steps = {
        {"take a reference of its own", [&] { a = ComPtr<Counted>(&first); }, 2, 1},
        {"copy", [&] { b = a; }, 3, 1},
        {"assign to itself", [&] { a = static_cast<const ComPtr<Counted>&>(a); }, 3, 1},
        {"move hands the reference on", [&] { b = ComPtr<Counted>(std::move(a)); }, 2, 1},
        {"reset the moved-from holder", [&] { a.Reset(); }, 2, 1},
        {"out parameter releases the old object first", [&] { CreateInto(second, b.ReleaseAndGetAddressOf()); }, 1, 2},
        {"copy-construct", [&] { a = ComPtr<Counted>(b); }, 1, 3},
        {"adopt the caller's reference", [&] { a = ComPtr<Counted>::Adopt((first.AddRef(), &first)); }, 2, 2},
        {"reset", [&] { b.Reset(); }, 2, 1},
        {"destroy", [&] { a = ComPtr<Counted>(); }, 1, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(first.references, step.firstCount);
        EXPECT_EQ(second.references, step.secondCount);
    }
    EXPECT_FALSE(a);
    EXPECT_FALSE(b);
}

} // namespace
