#include "platform/gl/BareQuadRenderer.h"

#include "platform/sdl/RenderWindow.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <vector>

namespace platform {
namespace render {

BareQuadRenderer::BareQuadRenderer(HWND window, int width, int height) : m_Width(width), m_Height(height)
{
    sdl::RenderWindow w;
    if (!sdl::LookUpRenderWindow(window, &w) || !w.window) return;
    m_Window = w.window;
    m_Context = SDL_GL_CreateContext(w.window);
    if (!m_Context) return;
    SDL_GL_MakeCurrent(w.window, static_cast<SDL_GLContext>(m_Context));
    SDL_GL_SetSwapInterval(0);
    std::vector<uint32_t> texels(64 * 64, 0x80FF8040);
    glGenTextures(1, &m_Texture);
    glBindTexture(GL_TEXTURE_2D, m_Texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

BareQuadRenderer::~BareQuadRenderer()
{
    if (!m_Context) return;
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(m_Window), static_cast<SDL_GLContext>(m_Context));
    glDeleteTextures(1, &m_Texture);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_Context));
}

void BareQuadRenderer::DrawFrame(const float* positions, int count, float size)
{
    SDL_Window* window = static_cast<SDL_Window*>(m_Window);
    if (SDL_GL_GetCurrentContext() != m_Context) SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(m_Context));
    glViewport(0, 0, m_Width, m_Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, m_Width, m_Height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT); // as the device clears
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_Texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    float vertices[8], uv[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    glVertexPointer(2, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, uv);
    for (int i = 0; i < count; ++i) {
        float x = positions[2 * i], y = positions[2 * i + 1];
        float quad[8] = {x, y, x + size, y, x, y + size, x + size, y + size};
        for (int k = 0; k < 8; ++k) vertices[k] = quad[k];
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    SDL_GL_SwapWindow(window);
}

} // namespace render
} // namespace platform
