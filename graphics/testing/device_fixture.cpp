#include "graphics/testing/device_fixture.h"

#include <unistd.h>

#include "graphics/graphics_system.h"
#include "scene/status.h"

ScopedWorkingFolder::ScopedWorkingFolder() : m_previous(std::filesystem::current_path())
{
    static int counter = 0;
    m_folder = std::filesystem::temp_directory_path() /
               ("relief-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_folder);
    std::filesystem::current_path(m_folder);
}

ScopedWorkingFolder::~ScopedWorkingFolder()
{
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

void DeviceFixture::SetUp()
{
    GetGraphicsSystem()->SetDirect3DFactory([this](UINT) -> IDirect3D9* {
        m_d3d.AddRef();
        return &m_d3d;
    });
    SetStatusSink([this](const std::wstring& text) { m_statusTexts.push_back(text); });
}

void DeviceFixture::TearDown()
{
    GetGraphicsSystem()->ReleaseResources();
    GetGraphicsSystem()->SetDirect3DFactory(nullptr);
    SetStatusSink({});
    EXPECT_EQ(m_device.references, 1u) << "a device reference was not given back";
    EXPECT_EQ(m_d3d.references, 1u) << "a Direct3D reference was not given back";
}

void DeviceFixture::CreateDevice(HWND window)
{
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(window));
    m_device.ClearRecords();
}
