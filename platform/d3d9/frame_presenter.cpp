#include "platform/d3d9/internal/frame_presenter.h"

const std::vector<std::uint8_t>* FramePresenter::Render(GlDriver& driver, const GlFramebuffer& source, UINT width,
                                                        UINT height)
{
    if (!m_scratch || m_scratch->Width() != width || m_scratch->Height() != height) {
        m_scratch.reset();
        // An RGB target drops the back buffer's alpha: a window shows no transparency.
        m_scratch = GlFramebuffer::Create(driver, width, height, GL_RGB8, false);
        if (!m_scratch) {
            return nullptr;
        }
    }
    GlStateCache& cache = driver.Use();
    // The blit is clipped by the scissor test like any other drawing.
    cache.Enable(GL_SCISSOR_TEST, false);
    cache.BindReadFramebuffer(source.Name());
    cache.BindDrawFramebuffer(m_scratch->Name());
    const auto sourceWidth = static_cast<GLint>(source.Width());
    const auto sourceHeight = static_cast<GLint>(source.Height());
    const auto targetWidth = static_cast<GLint>(width);
    const auto targetHeight = static_cast<GLint>(height);
    // OpenGL's rows run bottom-up; blitting upside down makes the first row read the top one.
    glBlitFramebuffer(0, 0, sourceWidth, sourceHeight, 0, targetHeight, targetWidth, 0, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    cache.BindReadFramebuffer(m_scratch->Name());
    m_pixels.resize(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, targetWidth, targetHeight, GL_BGRA, GL_UNSIGNED_BYTE, m_pixels.data());
    return &m_pixels;
}
