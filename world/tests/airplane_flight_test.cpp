// The airplane's flight through the world's timer tick: turn, then move along the new heading,
// integrated with exactly the time the clock reports.
#include <gtest/gtest.h>

#include <cmath>

#include "world/airplane_flight.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"

namespace {

constexpr float kDegree = 0.017453292f;
const TQR_Vector3 kStart{-2.0f, 6.0f, -2.0f};

class AirplaneFlightTest : public ::testing::Test {
protected:
    void Tick(double seconds)
    {
        m_time.AdvanceSeconds(seconds);
        m_world.Update();
    }
    TQR_SceneNode& Airplane() { return *m_world.GetRoot().GetChild(CTerrainWorld::kAirplaneChild); }
    TQR_Vector3 Position() { return Airplane().GetXformInfo().GetTranslation(); }
    // The nose direction in the world: the airplane's local -z.
    TQR_Vector3 Nose()
    {
        return VectorTimesMatrix3({0.0f, 0.0f, -1.0f}, Airplane().GetXformInfo().GetRotationMatrix());
    }

    ManualTime m_time;
    CTerrainWorld m_world{m_time.MakeClock()};
};

void ExpectNear(const TQR_Vector3& actual, const TQR_Vector3& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(AirplaneFlightTest, StandsStillUntilAnimatedAndThenTurnsLeftByDefault)
{
    Tick(2.0);
    ExpectNear(Position(), kStart, 0.0f);
    ExpectNear(Nose(), {0.0f, 0.0f, -1.0f});

    m_world.SetAnimate(true);
    Tick(0.5);
    // The two paused seconds were measured by the tick before: only 0.5 s of flight.
    const float heading = 5.0f * kDegree;
    ExpectNear(Nose(), {-std::sin(heading), 0.0f, -std::cos(heading)});
    ExpectNear(Position(), {kStart.x - 0.2f * std::sin(heading), kStart.y, kStart.z - 0.2f * std::cos(heading)});
}

TEST_F(AirplaneFlightTest, StraightFlightMovesAlongMinusZAtTheSpeed)
{
    for (TQR_FlyDirection direction :
         {TQR_FlyDirection::Straight, static_cast<TQR_FlyDirection>(7), static_cast<TQR_FlyDirection>(-1)}) {
        SCOPED_TRACE(static_cast<int>(direction));
        const TQR_Vector3 before = Position();
        m_world.SetAnimate(true);
        m_world.SetFlyDirection(direction);
        m_world.SetSpeed(0.8f);
        Tick(0.25);
        ExpectNear(Position(), {before.x, before.y, before.z - 0.2f});
        ExpectNear(Nose(), {0.0f, 0.0f, -1.0f});
    }
}

TEST_F(AirplaneFlightTest, NinetyDegreesOfTurnTakeNineSecondsWhateverTheSpeed)
{
    struct Case {
        TQR_FlyDirection direction;
        float speed;
        float noseX;
    };
    for (const Case& flight : {Case{TQR_FlyDirection::Left, 0.4f, -1.0f}, Case{TQR_FlyDirection::Right, 0.4f, 1.0f},
                               Case{TQR_FlyDirection::Left, 1.0f, -1.0f}}) {
        SCOPED_TRACE(testing::Message() << "direction " << static_cast<int>(flight.direction) << ", speed "
                                        << flight.speed);
        ManualTime time;
        CTerrainWorld world(time.MakeClock());
        world.SetAnimate(true);
        world.SetFlyDirection(flight.direction);
        world.SetSpeed(flight.speed);
        for (int tick = 0; tick < 18; ++tick) {
            time.AdvanceSeconds(0.5);
            world.Update();
        }
        TQR_SceneNode& airplane = *world.GetRoot().GetChild(CTerrainWorld::kAirplaneChild);
        ExpectNear(VectorTimesMatrix3({0.0f, 0.0f, -1.0f}, airplane.GetXformInfo().GetRotationMatrix()),
                   {flight.noseX, 0.0f, 0.0f});
        // A quarter of the circle of radius speed / (10 degrees in radians), flown at constant
        // height. Each tick turns before it moves, so the 5-degree steps run about 4% off the circle.
        const float radius = flight.speed / (10.0f * kDegree);
        const TQR_Vector3 position = airplane.GetXformInfo().GetTranslation();
        EXPECT_NEAR(position.x, kStart.x + flight.noseX * radius, 0.05f * radius);
        EXPECT_NEAR(position.z, kStart.z - radius, 0.05f * radius);
        EXPECT_FLOAT_EQ(position.y, kStart.y);
    }
}

TEST_F(AirplaneFlightTest, HiddenAirplaneKeepsFlyingAndPausingFreezesIt)
{
    m_world.SetAnimate(true);
    m_world.SetFlyDirection(TQR_FlyDirection::Straight);
    m_world.ShowAirplane(false);
    Tick(1.0);
    ExpectNear(Position(), {kStart.x, kStart.y, kStart.z - 0.4f});
    EXPECT_FALSE(m_world.GetAirplaneMesh().IsVisible());

    m_world.SetAnimate(false);
    Tick(3.0);
    ExpectNear(Position(), {kStart.x, kStart.y, kStart.z - 0.4f});
    m_world.ShowAirplane(true);
    EXPECT_TRUE(m_world.GetAirplaneMesh().IsVisible());
}

} // namespace
