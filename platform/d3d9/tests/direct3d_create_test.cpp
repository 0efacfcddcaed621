// Direct3DCreate9 without a usable OpenGL: null and a stated reason, never a crash.
#include "platform/d3d9/d3d9.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Direct3DCreateTest, UnknownSdkVersionGivesNull)
{
    for (const UINT version : {0u, 31u, 33u}) {
        SCOPED_TRACE(::testing::Message() << "version " << version);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(Direct3DCreate9(version), nullptr);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("unsupported SDK version"), std::string::npos);
    }
}

// EGL must not have been loaded yet when the vendor list is emptied, so this runs in a fresh
// process of its own.
TEST(Direct3DCreateDeathTest, NoEglVendorGivesNullWithTheReason)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent/vendor.json", 1);
            setenv("__EGL_VENDOR_LIBRARY_DIRS", "/nonexistent", 1);
            std::exit(Direct3DCreate9(D3D_SDK_VERSION) == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "Direct3DCreate9: EGL has no Mesa surfaceless platform");
}

} // namespace
