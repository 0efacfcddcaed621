#include "scene/containers.h"

#include <gtest/gtest.h>

namespace {

// Counts its live instances so tests can see which objects an array deleted.
struct Tracked {
    explicit Tracked(int& alive) : m_alive(alive) { ++m_alive; }
    virtual ~Tracked() { --m_alive; }
    int& m_alive;
};

// Two owning arrays of the same objects would delete them twice.
static_assert(!std::is_copy_assignable_v<TQR_PointerArray<Tracked*>>);
static_assert(!std::is_copy_constructible_v<TQR_PointerArray<Tracked*>>);

TEST(ArrayTest, GetOutOfRangeReturnsNull)
{
    TQR_Array<int*> array;
    EXPECT_EQ(array.Get(0), nullptr);
    int value = 3;
    array.Append(&value);
    EXPECT_EQ(array.Get(-1), nullptr);
    EXPECT_EQ(array.Get(array.Count()), nullptr);
    EXPECT_EQ(array.Get(0), &value);
}

TEST(ArrayTest, InsertAtClampsTheIndex)
{
    TQR_Array<int> array;
    array.Append(1);
    array.Append(2);
    array.InsertAt(0, -5);
    array.InsertAt(9, array.Count() + 10);
    array.InsertAt(5, 2);
    const int expected[] = {0, 1, 5, 2, 9};
    ASSERT_EQ(array.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(array.Get(i), expected[i]) << "index " << i;
    }
}

TEST(ArrayTest, RemoveAtOutOfRangeChangesNothing)
{
    TQR_Array<int> array;
    array.Append(7);
    array.RemoveAt(-1);
    array.RemoveAt(1);
    ASSERT_EQ(array.Count(), 1);
    array.RemoveAt(0);
    EXPECT_EQ(array.Count(), 0);
}

TEST(ArrayTest, PlainArrayOfPointersLeavesObjectsAlive)
{
    int alive = 0;
    Tracked first(alive);
    Tracked second(alive);
    {
        TQR_Array<Tracked*> array;
        array.Append(&first);
        array.Append(&second);
        array.RemoveAt(0);
    }
    EXPECT_EQ(alive, 2);
}

TEST(PointerArrayTest, DestructionSkipsNullEntriesAndDeletesTheRest)
{
    int alive = 0;
    {
        TQR_PointerArray<Tracked*> array;
        array.Append(new Tracked(alive));
        array.Append(nullptr);
        array.Append(new Tracked(alive));
        EXPECT_TRUE(array.OwnsElements());
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
}

TEST(PointerArrayTest, RemoveAtDeletesTheRemovedObjectOnly)
{
    int alive = 0;
    TQR_PointerArray<Tracked*> array;
    Tracked* kept = new Tracked(alive);
    array.Append(new Tracked(alive));
    array.Append(kept);
    array.InsertAt(nullptr, 0);
    array.RemoveAt(1);
    EXPECT_EQ(alive, 1);
    array.RemoveAt(0);
    ASSERT_EQ(array.Count(), 1);
    EXPECT_EQ(array.Get(0), kept);
    array.RemoveAt(5);
    array.RemoveAt(-1);
    EXPECT_EQ(alive, 1);
}

// A node-like type that owns an array of its own type, declared while still incomplete.
struct Branch {
    explicit Branch(int& alive) : m_alive(alive) { ++m_alive; }
    virtual ~Branch() { --m_alive; }
    int& m_alive;
    TQR_PointerArray<Branch*> m_children;
};

TEST(PointerArrayTest, TypeCanOwnAnArrayOfItselfAndDeletesRecursively)
{
    int alive = 0;
    {
        Branch root(alive);
        root.m_children.Append(new Branch(alive));
        root.m_children.Get(0)->m_children.Append(new Branch(alive));
        EXPECT_EQ(alive, 3);
    }
    EXPECT_EQ(alive, 0);
}

} // namespace
