#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/framework/scene/SCamera.h"

using namespace drawables_test;
using namespace TarnEngine;

namespace {

SCore::SVector3 Transform(const SCore::SMatrix& m, const SCore::SVector3& p)
{
    const float in[4] = {p.X, p.Y, p.Z, 1.0f};
    float out[4] = {};
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) out[j] += in[k] * m.m[k][j];
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

void ExpectVector(const SCore::SVector3& v, float x, float y, float z, const char* what)
{
    EXPECT_NEAR(x, v.X, 1e-5) << what;
    EXPECT_NEAR(y, v.Y, 1e-5) << what;
    EXPECT_NEAR(z, v.Z, 1e-5) << what;
}

using CameraTest = DrawablesTest;

} // namespace

TEST_F(CameraTest, SetPutsARightHandedLookAtViewOnTheDevice)
{
    auto camera = SCameraFactory::CreateCamera(SCT_CAMERA);
    camera->Create(m_Viewport);
    camera->m_Eye = {3, 0, 0};
    camera->m_At = {3, 0, 5};
    camera->Set();
    SCore::SMatrix view = Device().DoGetTransform(SCore::STT_VIEW);
    // The eye goes to the origin and the target straight ahead, down -z in a right-handed view.
    ExpectVector(Transform(view, camera->m_Eye), 0, 0, 0, "eye in view space");
    ExpectVector(Transform(view, camera->m_At), 0, 0, -5, "target in view space");
    ExpectVector(Transform(view, {3, 1, 0}), 0, 1, 0, "up stays up");
}

TEST_F(CameraTest, MovesShiftEyeAndTargetTogether)
{
    struct Case {
        const char* what;
        void (SCamera::*move)(float);
        SCore::SVector3 eye0, at0, eye, at;
    } cases[] = {
        {"forward", &SCamera::MoveForward, {0, 0, -1}, {0, 0, 0}, {0, 0, -0.5f}, {0, 0, 0.5f}},
        {"eye on its target", &SCamera::MoveForward, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCamera camera(SCT_CAMERA);
        camera.m_Eye = c.eye0;
        camera.m_At = c.at0;
        (camera.*c.move)(0.5f);
        ExpectVector(camera.m_Eye, c.eye.X, c.eye.Y, c.eye.Z, c.what);
        ExpectVector(camera.m_At, c.at.X, c.at.Y, c.at.Z, c.what);
    }
}

TEST_F(CameraTest, RotateOrbitsOnlyTheThirdPersonCamera)
{
    auto tps = SCameraFactory::CreateCamera(SCT_TPS);
    EXPECT_EQ(SCT_TPS, tps->GetType());
    tps->m_At = {1, 2, 3};
    tps->m_Eye = {1, 2, 1};
    tps->Rotate(1.57f);
    // A quarter turn about +y takes the eye from -z of the target to -x, at the same distance.
    const float dx = tps->m_Eye.X - 1, dz = tps->m_Eye.Z - 3;
    EXPECT_NEAR(4.0f, dx * dx + dz * dz, 1e-5);
    EXPECT_NEAR(-1.0f, tps->m_Eye.X, 1e-2);

    SCamera plain(SCT_CAMERA);
    plain.Rotate(1.0f);
    ExpectVector(plain.m_Eye, 0, 0, -1, "plain camera does not turn");
}

TEST_F(CameraTest, UnknownTypeFails)
{
    EXPECT_EQ("Unknown SCameraType", ThrownText([] { SCameraFactory::CreateCamera(2); }));
}
