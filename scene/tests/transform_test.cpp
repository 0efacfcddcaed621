#include "scene/transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/testing/recording_draw_helper.h"

namespace {

constexpr float kTolerance = 1e-5f;

void ExpectNear(const TQR_Vector3& actual, const TQR_Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

void ExpectIdentity(const TQR_Matrix3& m)
{
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_NEAR(m.m[row][column], row == column ? 1.0f : 0.0f, kTolerance) << row << "," << column;
        }
    }
}

// Where the node's transform, composed onto an identity stack, puts a local point.
TQR_Vector3 Place(const TQR_XformInfo& xform, const TQR_Vector3& point)
{
    TQR_RecordingDrawHelper helper;
    xform.SetupModelTransform(&helper);
    return helper.ModelMatrix().TransformCoord(point);
}

TEST(VectorMathTest, NormalizeLeavesZeroVectorUnchanged)
{
    EXPECT_EQ(VectorNormalize({0, 0, 0}), (TQR_Vector3{0, 0, 0}));
    ExpectNear(VectorNormalize({3, 0, -4}), {0.6f, 0.0f, -0.8f});
    EXPECT_FLOAT_EQ(VectorDot({1, 2, 3}, {4, -5, 6}), 12.0f);
}

TEST(VectorMathTest, QuaternionFromZeroAxisKeepsOnlyTheCosine)
{
    const TQR_Quaternion q = QuaternionFromAxisAngle({0, 0, 0}, 60.0f);
    EXPECT_EQ(q.x, 0.0f);
    EXPECT_EQ(q.y, 0.0f);
    EXPECT_EQ(q.z, 0.0f);
    EXPECT_NEAR(q.w, std::cos(30.0 * 3.141592653589793 / 180.0), kTolerance);
    const TQR_Quaternion halfTurn = QuaternionFromAxisAngle({0, 0, 5}, 180.0f);
    EXPECT_NEAR(halfTurn.z, 1.0f, kTolerance);
    EXPECT_NEAR(halfTurn.w, 0.0f, kTolerance);
}

TEST(VectorMathTest, HamiltonProductIsNotCommutative)
{
    const TQR_Quaternion i{1, 0, 0, 0};
    const TQR_Quaternion j{0, 1, 0, 0};
    EXPECT_EQ(QuaternionMultiply(i, j), (TQR_Quaternion{0, 0, 1, 0}));
    EXPECT_EQ(QuaternionMultiply(j, i), (TQR_Quaternion{0, 0, -1, 0}));
}

TEST(VectorMathTest, ZeroQuaternionIsNotDividedByZero)
{
    const TQR_Quaternion zero{0, 0, 0, 0};
    EXPECT_EQ(QuaternionNormalize(zero), zero);
    ExpectIdentity(QuaternionToMatrix(zero));
    const TQR_Quaternion tiny{1e-8f, 0, 0, 0};
    EXPECT_EQ(QuaternionNormalize(tiny), tiny);
}

TEST(VectorMathTest, QuaternionToMatrixNormalisesACopy)
{
    TQR_XformInfo xform;
    xform.SetRotation({0, 0, 0, 4});
    EXPECT_EQ(xform.GetRotation().w, 4.0f);
    ExpectIdentity(xform.GetRotationMatrix());
}

TEST(TransformTest, DefaultTransformIsTheIdentity)
{
    const TQR_XformInfo xform;
    ExpectIdentity(xform.GetRotationMatrix());
    ExpectNear(Place(xform, {1.5f, -2, 3}), {1.5f, -2, 3});
}

TEST(TransformTest, RotateY90MapsMinusZToMinusX)
{
    TQR_XformInfo xform;
    xform.RotateY(90.0f);
    ExpectNear(VectorTimesMatrix3({0, 0, -1}, xform.GetRotationMatrix()), {-1, 0, 0});
}

TEST(TransformTest, RotationIncrementActsAboutTheLocalAxis)
{
    // After turning 90 degrees about Y, the local X axis points along world -Z, so a further
    // turn about local X moves local +Y towards world +X rather than towards world +Z.
    TQR_XformInfo xform;
    xform.RotateY(90.0f);
    xform.RotateX(90.0f);
    ExpectNear(VectorTimesMatrix3({0, 1, 0}, xform.GetRotationMatrix()), {1, 0, 0});
}

TEST(TransformTest, RotateX30ThenBackIsTheIdentity)
{
    TQR_XformInfo xform;
    xform.RotateX(30.0f);
    xform.RotateX(-30.0f);
    ExpectIdentity(xform.GetRotationMatrix());
}

TEST(TransformTest, PivotStaysFixedUnderScale)
{
    TQR_XformInfo xform;
    xform.SetPivot(1, 0, 0);
    xform.SetScale(2, 2, 2);
    ExpectNear(Place(xform, {1, 0, 0}), {1, 0, 0});
    ExpectNear(Place(xform, {0, 0, 0}), {-1, 0, 0});
}

TEST(TransformTest, ModelMatrixScalesRotatesAboutPivotThenTranslates)
{
    TQR_XformInfo xform;
    xform.SetPivot(1, 0, 0);
    xform.SetScale(2, 3, 4);
    xform.RotateZ(90.0f);
    xform.SetTranslation(10, 20, 30);
    // (v - p) = (1, 1, 0); scaled (2, 3, 0); rotated by +90 about z: (-3, 2, 0); + p + t.
    ExpectNear(Place(xform, {2, 1, 0}), {8, 22, 30});
}

TEST(TransformTest, ResetKeepsThePivot)
{
    TQR_XformInfo xform;
    xform.SetPivot(1, 2, 3);
    xform.SetScale(2, 2, 2);
    xform.SetTranslation(4, 5, 6);
    xform.RotateZ(10.0f);
    xform.Reset();
    TQR_XformInfo expected;
    expected.SetPivot(1, 2, 3);
    EXPECT_EQ(xform, expected);
}

TEST(TransformTest, SetupModelTransformHandsRowVectorRotation)
{
    TQR_XformInfo xform;
    xform.RotateY(90.0f);
    xform.SetTranslation(1, 2, 3);
    TQR_RecordingDrawHelper helper;
    xform.SetupModelTransform(&helper);
    ASSERT_EQ(helper.CallNames(), std::vector<std::string>{"SetTransformation"});
    const std::vector<double>& args = helper.Calls()[0].args;
    ASSERT_EQ(args.size(), 18u);
    const TQR_Matrix3 r = xform.GetRotationMatrix();
    EXPECT_EQ(args[0], 1.0);
    EXPECT_EQ(args[5], 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(args[8]), r.m[0][2]);
    EXPECT_FLOAT_EQ(static_cast<float>(args[12]), r.m[2][0]);
    EXPECT_NEAR(args[12], 1.0, kTolerance);
}

TEST(TransformTest, DrawPivotDrawsABlueCentredWhiteRimmedDisc)
{
    TQR_XformInfo xform;
    xform.SetPivot(1, 2, 3);
    TQR_RecordingDrawHelper helper;
    xform.DrawPivot(&helper, 0.2f);
    const std::vector<std::string> expected = {"ResetAttributes", "EnableBlending", "EnableTexture", "SetColor1",
                                               "SetColor2",       "SetFillMode",    "SetShadeMode",  "DrawCircle"};
    ASSERT_EQ(helper.CallNames(), expected);
    const std::vector<TQR_RecordedCall>& calls = helper.Calls();
    EXPECT_EQ(calls[3].args[0], 0xFFFFFFFFu);
    EXPECT_EQ(calls[4].args[0], 0xFF0000FFu);
    EXPECT_EQ(calls[5].args[0], 2.0);
    EXPECT_EQ(calls[6].args[0], 1.0);
    EXPECT_EQ(calls[7].args, (std::vector<double>{1.0, 2.0, 3.0, 0.2f}));
}

} // namespace
