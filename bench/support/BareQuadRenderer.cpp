#include "bench/support/BareQuadRenderer.h"

#include "platform/sdl/RenderWindow.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

namespace bench {

BareQuadRenderer::BareQuadRenderer(HWND window, int width, int height) : m_Width(width), m_Height(height)
{
    platform::sdl::RenderWindow w;
    if (!platform::sdl::LookUpRenderWindow(window, &w) || !w.window) return;
    m_Window = w.window;
    m_Context = SDL_GL_CreateContext(w.window);
    if (!m_Context) return;
    SDL_GL_MakeCurrent(w.window, static_cast<SDL_GLContext>(m_Context));
    SDL_GL_SetSwapInterval(0);
    m_Texture = TextureOf(64, 64, false);
}

BareQuadRenderer::~BareQuadRenderer()
{
    if (!m_Context) return;
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(m_Window), static_cast<SDL_GLContext>(m_Context));
    for (const auto& texture : m_Textures) glDeleteTextures(1, &texture.second);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_Context));
}

unsigned BareQuadRenderer::TextureOf(unsigned width, unsigned height, bool linear)
{
    unsigned& name = m_Textures[{{width, height}, linear}];
    if (name) return name;
    std::vector<uint32_t> texels(size_t(width) * height, 0x80FF8040);
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(width), GLsizei(height), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 texels.data());
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    return name;
}

void BareQuadRenderer::BeginFrame(float pixelOffset)
{
    SDL_Window* window = static_cast<SDL_Window*>(m_Window);
    if (SDL_GL_GetCurrentContext() != m_Context) SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(m_Context));
    glViewport(0, 0, m_Width, m_Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(pixelOffset, m_Width + pixelOffset, m_Height + pixelOffset, pixelOffset, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT); // as the device clears
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void BareQuadRenderer::DrawFrame(const float* positions, int count, float size)
{
    BeginFrame(0.0f);
    glBindTexture(GL_TEXTURE_2D, m_Texture);
    float vertices[8], uv[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, uv);
    for (int i = 0; i < count; ++i) {
        float x = positions[2 * i], y = positions[2 * i + 1];
        float quad[8] = {x, y, x + size, y, x, y + size, x + size, y + size};
        for (int k = 0; k < 8; ++k) vertices[k] = quad[k];
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_Window));
}

void BareQuadRenderer::DrawFrame(const std::vector<platform::testing::DrawnQuad>& quads)
{
    // The device's rectangles put pixel centres on integers.
    BeginFrame(-0.5f);
    float vertices[8], uv[8];
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, uv);
    bool textured = true, blended = true;
    for (const platform::testing::DrawnQuad& q : quads) {
        const bool texture = q.textureWidth > 0 && q.textureHeight > 0;
        if (texture != textured) {
            if (texture) glEnable(GL_TEXTURE_2D);
            else glDisable(GL_TEXTURE_2D);
            textured = texture;
        }
        if (texture) glBindTexture(GL_TEXTURE_2D, TextureOf(q.textureWidth, q.textureHeight, q.linear));
        if (q.blended != blended) {
            if (q.blended) glEnable(GL_BLEND);
            else glDisable(GL_BLEND);
            blended = q.blended;
        }
        const float quad[8] = {q.left, q.top, q.right, q.top, q.left, q.bottom, q.right, q.bottom};
        const float coords[8] = {q.u0, q.v0, q.u1, q.v0, q.u0, q.v1, q.u1, q.v1};
        for (int k = 0; k < 8; ++k) {
            vertices[k] = quad[k];
            uv[k] = coords[k];
        }
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(m_Window));
}

} // namespace bench
