#include "platform/d3dx9/d3dx9.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr float kTolerance = 1e-5f;

D3DXVECTOR3 Transformed(const D3DXMATRIX& m, D3DXVECTOR3 v)
{
    D3DXVec3TransformCoord(&v, &v, &m);
    return v;
}

void ExpectNear(const D3DXVECTOR3& expected, const D3DXVECTOR3& actual)
{
    EXPECT_NEAR(expected.x, actual.x, kTolerance);
    EXPECT_NEAR(expected.y, actual.y, kTolerance);
    EXPECT_NEAR(expected.z, actual.z, kTolerance);
}

D3DXMATRIX RotationY(float degrees)
{
    const D3DXVECTOR3 axis(0, 1, 0);
    D3DXMATRIX m;
    D3DXMatrixRotationAxis(&m, &axis, degrees * std::numbers::pi_v<float> / 180);
    return m;
}

// A node's model matrix T(-p) S R T(p) T(t) built with the Local operations in the order
// translation, pivot, rotation, scale, minus pivot: a point goes to R((v - p) s) + p + t.
TEST(MatrixStack, LocalOperationsComposeOnTheObjectSide)
{
    ID3DXMatrixStack* stack = nullptr;
    ASSERT_EQ(D3DXCreateMatrixStack(0, &stack), D3D_OK);
    const D3DXMATRIX rotation = RotationY(90);
    D3DXMATRIX parent;
    stack->LoadMatrix(D3DXMatrixTranslation(&parent, 100, 0, 0));
    stack->TranslateLocal(0, 0, 5);
    stack->TranslateLocal(1, 0, 0);
    stack->MultMatrixLocal(&rotation);
    stack->ScaleLocal(2, 2, 2);
    stack->TranslateLocal(-1, 0, 0);
    const D3DXMATRIX model = *stack->GetTop();
    ExpectNear({101, 0, 5}, Transformed(model, {1, 0, 0})); // the pivot stays put
    ExpectNear({101, 0, 3}, Transformed(model, {2, 0, 0})); // (1,0,0) scaled to 2, turned to -z
    ExpectNear({99, 0, 5}, Transformed(model, {1, 0, -1})); // (0,0,-1) scaled to -2, turned to -x
    stack->Release();
}

TEST(MatrixStack, WorldSideOperationsApplyAfterTheTopAndPopRestores)
{
    ID3DXMatrixStack* stack = nullptr;
    ASSERT_EQ(D3DXCreateMatrixStack(0, &stack), D3D_OK);
    ExpectNear({1, 2, 3}, Transformed(*stack->GetTop(), {1, 2, 3}));
    stack->Translate(1, 0, 0);
    ASSERT_EQ(stack->Push(), D3D_OK);
    stack->Scale(3, 3, 3);
    ExpectNear({6, 0, 0}, Transformed(*stack->GetTop(), {1, 0, 0}));
    ASSERT_EQ(stack->Pop(), D3D_OK);
    ExpectNear({2, 0, 0}, Transformed(*stack->GetTop(), {1, 0, 0}));
    stack->LoadIdentity();
    ExpectNear({1, 0, 0}, Transformed(*stack->GetTop(), {1, 0, 0}));
    EXPECT_EQ(stack->Pop(), D3DERR_INVALIDCALL); // the last entry stays
    EXPECT_NE(stack->GetTop(), nullptr);
    stack->Release();
}

TEST(Matrix, RotationAxisTurnsRightHandedAboutTheNormalisedAxis)
{
    ExpectNear({0, 0, -1}, Transformed(RotationY(90), {1, 0, 0}));
    const D3DXVECTOR3 longZ(0, 0, 7);
    D3DXMATRIX aboutZ;
    D3DXMatrixRotationAxis(&aboutZ, &longZ, std::numbers::pi_v<float> / 2);
    ExpectNear({0, 1, 0}, Transformed(aboutZ, {1, 0, 0}));
    const D3DXVECTOR3 zero(0, 0, 0);
    D3DXMATRIX degenerate;
    D3DXMatrixRotationAxis(&degenerate, &zero, std::numbers::pi_v<float> / 3);
    ExpectNear({0.5f, 1.0f, 1.5f}, Transformed(degenerate, {1, 2, 3}));
}

// A camera at (3, 4, 0) looking at the origin: the view puts the target straight ahead at
// distance 5 (on -z), keeps "up" up, and puts the eye at the origin.
TEST(Matrix, LookAtRHPlacesTheTargetOnTheNegativeZAxis)
{
    const D3DXVECTOR3 eye(3, 4, 0);
    const D3DXVECTOR3 at(0, 0, 0);
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMATRIX view;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    ExpectNear({0, 0, 0}, Transformed(view, eye));
    ExpectNear({0, 0, -5}, Transformed(view, at));
    // Looking from (3, 4, 0) towards the origin, world +z lies to the camera's left.
    ExpectNear({-1, 0, -5}, Transformed(view, {0, 0, 1}));
    // A point above the target lies above the view centre.
    EXPECT_GT(Transformed(view, {0, 1, 0}).y, 0.0f);
    EXPECT_EQ(view._44, 1.0f);
    EXPECT_EQ(view._14, 0.0f);
}

TEST(Matrix, PerspectiveFovRHMapsNearToZeroAndFarToOne)
{
    const float fov = std::numbers::pi_v<float> / 2;
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, fov, 2.0f, 2.0f, 12.0f);
    EXPECT_NEAR(projection._33, -1.2f, kTolerance);
    EXPECT_EQ(projection._34, -1.0f);
    EXPECT_NEAR(projection._43, -2.4f, kTolerance);
    EXPECT_EQ(projection._44, 0.0f);
    ExpectNear({0, 0, 0}, Transformed(projection, {0, 0, -2}));
    ExpectNear({0, 0, 1}, Transformed(projection, {0, 0, -12}));
    // tan(45 deg) = 1: the top edge of the view at depth d is at y = d; the side at x = 2d.
    ExpectNear({1, 1, Transformed(projection, {0, 0, -4}).z}, Transformed(projection, {8, 4, -4}));
}

TEST(Matrix, InverseUndoesTheMatrixAndRefusesSingularOnes)
{
    D3DXMATRIX scale;
    D3DXMATRIX move;
    D3DXMatrixScaling(&scale, 2, 3, 4);
    D3DXMatrixTranslation(&move, 1, -2, 3);
    const D3DXMATRIX m = scale * RotationY(30) * move;
    D3DXMATRIX inverse;
    float determinant = 0;
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
    EXPECT_NEAR(determinant, 24.0f, 1e-4f);
    const D3DXMATRIX product = m * inverse;
    for (UINT i = 0; i < 16; ++i) {
        EXPECT_NEAR(product(i / 4, i % 4), i / 4 == i % 4 ? 1.0f : 0.0f, kTolerance) << i;
    }
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1, 0, 1);
    EXPECT_EQ(D3DXMatrixInverse(&inverse, &determinant, &flat), nullptr);
    EXPECT_EQ(determinant, 0.0f);
}

TEST(Matrix, TransformCoordDividesByW)
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    m._44 = 2.0f;
    m._14 = 1.0f; // w = x + 2
    ExpectNear({0.5f, 1.0f, 1.5f}, Transformed(m, {2, 4, 6}));
    D3DXVECTOR3 unit;
    const D3DXVECTOR3 v(3, 0, 4);
    ExpectNear({0.6f, 0, 0.8f}, *D3DXVec3Normalize(&unit, &v));
    EXPECT_EQ(D3DXVec3Length(&v), 5.0f);
}

} // namespace
