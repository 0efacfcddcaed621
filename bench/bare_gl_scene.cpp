#include "bench/bare_gl_scene.h"

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

constexpr DWORD kPositionSize = 12;
constexpr GLuint kNoTexture = 0;

GLuint MakeRenderbuffer(GLenum format, int width, int height)
{
    GLuint renderbuffer = 0;
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    return renderbuffer;
}

GLuint MakeFramebuffer(int width, int height, bool depth)
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              MakeRenderbuffer(GL_RGB8, width, height));
    if (depth) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  MakeRenderbuffer(GL_DEPTH24_STENCIL8, width, height));
    }
    return framebuffer;
}

void SetMaterial(const D3DMATERIAL9& material)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, &material.Diffuse.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, &material.Ambient.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, &material.Specular.r);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, &material.Emissive.r);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.Power);
}

} // namespace

struct BareGlScene::Target {
    BareView view;
    GLuint framebuffer = 0;
    // The window-sized image the target is scaled onto when the sizes differ.
    GLuint scaled = 0;
    std::vector<unsigned char> pixels;
    std::vector<unsigned char> rows;
};

struct BareGlScene::GlMesh {
    BareMesh mesh;
    std::vector<GLuint> textures;
    // The triangles with 16-bit indices, as the editor draws meshes of up to 65536 vertices.
    std::vector<std::vector<GLushort>> narrowIndices;
    GLsizei stride = 0;
    // Offsets of the parts after the position; -1 when the format has none.
    int normal = -1;
    int colour = -1;
    int texCoord = -1;
};

std::unique_ptr<BareGlScene> BareGlScene::Create(std::vector<BareMesh> meshes, std::vector<BareView> views,
                                                 std::string& reason)
{
    std::unique_ptr<BareGlScene> scene(new BareGlScene);
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = getPlatformDisplay == nullptr
                             ? EGL_NO_DISPLAY
                             : getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE ||
        eglBindAPI(EGL_OPENGL_API) != EGL_TRUE ||
        eglChooseConfig(display, configAttributes, &config, 1, &configCount) != EGL_TRUE || configCount < 1) {
        reason = "no EGL surfaceless display for desktop OpenGL";
        return nullptr;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT || eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        reason = "no OpenGL compatibility context";
        return nullptr;
    }
    scene->m_display = display;
    scene->m_context = context;

    // The fixed states the editor's device sets once.
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glFrontFace(GL_CW);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_NORMALIZE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    const GLfloat noAmbient[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnableClientState(GL_VERTEX_ARRAY);

    for (BareView& view : views) {
        auto target = std::make_unique<Target>();
        target->view = view;
        target->framebuffer = MakeFramebuffer(view.targetWidth, view.targetHeight, true);
        if (view.targetWidth != view.windowWidth || view.targetHeight != view.windowHeight) {
            target->scaled = MakeFramebuffer(view.windowWidth, view.windowHeight, false);
        }
        target->pixels.resize(static_cast<std::size_t>(view.windowWidth) * view.windowHeight * 4);
        scene->m_targets.push_back(std::move(target));
    }
    for (BareMesh& mesh : meshes) {
        auto gl = std::make_unique<GlMesh>();
        int offset = kPositionSize;
        const auto take = [&offset](bool has, int size) {
            const int at = has ? offset : -1;
            offset += has ? size : 0;
            return at;
        };
        gl->normal = take((mesh.fvf & D3DFVF_NORMAL) != 0, 12);
        take((mesh.fvf & D3DFVF_PSIZE) != 0, 4);
        gl->colour = take((mesh.fvf & D3DFVF_DIFFUSE) != 0, 4);
        take((mesh.fvf & D3DFVF_SPECULAR) != 0, 4);
        gl->texCoord = take((mesh.fvf & D3DFVF_TEXCOUNT_MASK) != 0, 8);
        gl->stride = offset;
        for (const BareMesh::Subset& subset : mesh.subsets) {
            GLuint texture = kNoTexture;
            if (!subset.texels.empty()) {
                glGenTextures(1, &texture);
                glBindTexture(GL_TEXTURE_2D, texture);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
                glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(subset.textureWidth),
                             static_cast<GLsizei>(subset.textureHeight), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                             subset.texels.data());
            }
            gl->textures.push_back(texture);
            gl->narrowIndices.emplace_back(subset.indices.begin(), subset.indices.end());
        }
        if (mesh.vertices.size() / static_cast<std::size_t>(gl->stride) > 65536) {
            gl->narrowIndices.clear();
        }
        gl->mesh = std::move(mesh);
        scene->m_meshes.push_back(std::move(gl));
    }
    return scene;
}

BareGlScene::~BareGlScene()
{
    if (m_context != nullptr) {
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(m_display, m_context);
    }
}

const std::vector<unsigned char>& BareGlScene::Pixels(std::size_t view) const { return m_targets[view]->pixels; }

void BareGlScene::DrawTick()
{
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context);
    for (const auto& target : m_targets) {
        DrawView(*target);
    }
}

void BareGlScene::DrawView(Target& target)
{
    const BareView& view = target.view;
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, view.targetWidth, view.targetHeight);
    glClearColor(0.8f, 0.8f, 0.8f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&view.projection._11);
    for (const auto& mesh : m_meshes) {
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(&view.view._11);
        glMultMatrixf(&mesh->mesh.world._11);
        DrawMesh(*mesh);
    }
    // Rows come back bottom first: a blit upside down onto the window-sized image turns them
    // (and scales), or the rows are turned while copying.
    if (target.scaled != 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.scaled);
        glBlitFramebuffer(0, 0, view.targetWidth, view.targetHeight, 0, view.windowHeight, view.windowWidth, 0,
                          GL_COLOR_BUFFER_BIT, GL_LINEAR);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.scaled);
        glReadPixels(0, 0, view.windowWidth, view.windowHeight, GL_BGRA, GL_UNSIGNED_BYTE, target.pixels.data());
        return;
    }
    target.rows.resize(target.pixels.size());
    glReadPixels(0, 0, view.windowWidth, view.windowHeight, GL_BGRA, GL_UNSIGNED_BYTE, target.rows.data());
    const std::size_t rowBytes = static_cast<std::size_t>(view.windowWidth) * 4;
    for (int row = 0; row < view.windowHeight; ++row) {
        std::memcpy(target.pixels.data() + rowBytes * static_cast<std::size_t>(row),
                    target.rows.data() + rowBytes * static_cast<std::size_t>(view.windowHeight - 1 - row), rowBytes);
    }
}

void BareGlScene::DrawMesh(const GlMesh& gl)
{
    const BareMesh& mesh = gl.mesh;
    const BYTE* data = mesh.vertices.data();
    glVertexPointer(3, GL_FLOAT, gl.stride, data);
    const auto array = [&](GLenum kind, int offset) {
        if (offset < 0) {
            glDisableClientState(kind);
        } else {
            glEnableClientState(kind);
        }
        return data + offset;
    };
    const BYTE* normals = array(GL_NORMAL_ARRAY, gl.normal);
    if (gl.normal >= 0) {
        glNormalPointer(GL_FLOAT, gl.stride, normals);
    }
    const BYTE* colours = array(GL_COLOR_ARRAY, gl.colour);
    if (gl.colour >= 0) {
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, gl.stride, colours);
    } else {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    const BYTE* texCoords = array(GL_TEXTURE_COORD_ARRAY, gl.texCoord);
    if (gl.texCoord >= 0) {
        glTexCoordPointer(2, GL_FLOAT, gl.stride, texCoords);
    }
    if (mesh.lit) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
    for (std::size_t i = 0; i < mesh.subsets.size(); ++i) {
        const BareMesh::Subset& subset = mesh.subsets[i];
        if (mesh.lit) {
            SetMaterial(subset.material);
        }
        if (gl.textures[i] != kNoTexture) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, gl.textures[i]);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        if (gl.narrowIndices.empty()) {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(subset.indices.size()), GL_UNSIGNED_INT,
                           subset.indices.data());
        } else {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(subset.indices.size()), GL_UNSIGNED_SHORT,
                           gl.narrowIndices[i].data());
        }
    }
}
