// Direct3D 9 conventions on fixed-function OpenGL: see GLBackend.h.

#include "platform/gl/GLBackend.h"
#include "platform/d3d9/TextureData.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/d3d9/Hooks.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#include <string>
#endif

namespace platform {
namespace render {
namespace {

const size_t kStagingBytes = 4096;

// Texture names of released textures, deleted by the main thread at its next GL work.
std::mutex g_ReleasedNamesLock;
std::vector<GLuint> g_ReleasedNames;
std::atomic<bool> g_AnyReleased{false}; // whether any name waits: looked at on every draw
unsigned g_ContextGeneration = 0;

// The GL driver is unloaded when the display closes, before the leak report at exit, which then
// takes the blocks it still held for leaks and cannot name it. In address-sanitized builds every
// library loaded by the time a context exists stays loaded to the end.
void KeepDriverLoaded()
{
#if defined(__SANITIZE_ADDRESS__)
    std::vector<std::string> names;
    dl_iterate_phdr([](dl_phdr_info* info, size_t, void* out) {
        if (info->dlpi_name && *info->dlpi_name)
            static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
        return 0;
    }, &names);
    for (const std::string& name : names) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
#endif
}

struct GLTexture {
    GLuint name = 0;
    unsigned generation = 0;
    ~GLTexture()
    {
        std::lock_guard<std::mutex> guard(g_ReleasedNamesLock);
        if (name && generation == g_ContextGeneration) {
            g_ReleasedNames.push_back(name);
            g_AnyReleased.store(true, std::memory_order_release);
        }
    }
};

void DeleteReleasedTextures()
{
    if (!g_AnyReleased.load(std::memory_order_acquire)) return;
    std::vector<GLuint> dead;
    {
        std::lock_guard<std::mutex> guard(g_ReleasedNamesLock);
        dead.swap(g_ReleasedNames);
        g_AnyReleased.store(false, std::memory_order_relaxed);
    }
    if (!dead.empty()) glDeleteTextures(GLsizei(dead.size()), dead.data());
}

float Float(DWORD bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void ColourOf(D3DCOLOR c, GLfloat out[4])
{
    out[0] = ((c >> 16) & 0xFF) / 255.0f;
    out[1] = ((c >> 8) & 0xFF) / 255.0f;
    out[2] = (c & 0xFF) / 255.0f;
    out[3] = ((c >> 24) & 0xFF) / 255.0f;
}

GLenum BlendFactor(DWORD b)
{
    switch (b) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
    }
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type)
{
    switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    default: return GL_TRIANGLE_FAN;
    }
}

GLuint ElementCount(D3DPRIMITIVETYPE type, UINT n)
{
    switch (type) {
    case D3DPT_POINTLIST: return n;
    case D3DPT_LINELIST: return 2 * n;
    case D3DPT_LINESTRIP: return n + 1;
    case D3DPT_TRIANGLELIST: return 3 * n;
    default: return n + 2;
    }
}

GLint CombineSource(DWORD arg)
{
    return (arg & 0xF) == D3DTA_TEXTURE ? GL_TEXTURE : GL_PRIMARY_COLOR;
}

// One combiner function (RGB or alpha) of unit 0 from a Direct3D texture operation.
void SetCombine(bool alpha, DWORD op, DWORD arg1, DWORD arg2)
{
    GLenum combine = alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    GLenum src0 = alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB;
    GLenum src1 = alpha ? GL_SRC1_ALPHA : GL_SRC1_RGB;
    GLenum scale = alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
    GLenum operand0 = alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB;
    GLenum operand1 = alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB;
    GLint function = GL_MODULATE;
    GLfloat factor = 1.0f;
    GLint a = CombineSource(arg1), b = CombineSource(arg2);
    switch (op) {
    case D3DTOP_SELECTARG1: function = GL_REPLACE; break;
    case D3DTOP_SELECTARG2: function = GL_REPLACE; a = b; break;
    case D3DTOP_MODULATE2X: factor = 2.0f; break;
    case D3DTOP_MODULATE4X: factor = 4.0f; break;
    case D3DTOP_ADD: function = GL_ADD; break;
    case D3DTOP_ADDSIGNED: function = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X: function = GL_ADD_SIGNED; factor = 2.0f; break;
    case D3DTOP_SUBTRACT: function = GL_SUBTRACT; break;
    default: break; // the rest approximated by modulate
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, function);
    glTexEnvi(GL_TEXTURE_ENV, src0, a);
    glTexEnvi(GL_TEXTURE_ENV, src1, b);
    glTexEnvi(GL_TEXTURE_ENV, operand0, alpha ? GL_SRC_ALPHA : GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, operand1, alpha ? GL_SRC_ALPHA : GL_SRC_COLOR);
    glTexEnvf(GL_TEXTURE_ENV, scale, factor);
}

void UploadLevel(D3DFORMAT format, GLint level, const TextureLevel& l)
{
    GLint internal = format == D3DFMT_A8R8G8B8 || format == D3DFMT_A1R5G5B5 ? GL_RGBA8 : GL_RGB8;
    GLenum layout = GL_BGRA, type = GL_UNSIGNED_BYTE;
    if (format == D3DFMT_R5G6B5) {
        layout = GL_RGB;
        type = GL_UNSIGNED_SHORT_5_6_5;
    } else if (format == D3DFMT_A1R5G5B5) {
        type = GL_UNSIGNED_SHORT_1_5_5_5_REV;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, level, internal, GLsizei(l.width), GLsizei(l.height), 0, layout,
                 type, l.bytes.data());
}

} // namespace

GLBackend::GLBackend() {}

GLBackend::~GLBackend()
{
    if (!m_Context) return;
    SDL_GL_MakeCurrent(m_Window, static_cast<SDL_GLContext>(m_Context));
    DeleteReleasedTextures();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &m_Framebuffer);
    glDeleteRenderbuffers(1, &m_Colour);
    glDeleteRenderbuffers(1, &m_Depth);
    {
        // Names of textures still alive belong to this context: forget them.
        std::lock_guard<std::mutex> guard(g_ReleasedNamesLock);
        ++g_ContextGeneration;
        g_ReleasedNames.clear();
    }
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_Context));
}

HRESULT GLBackend::Configure(HWND window, const D3DPRESENT_PARAMETERS& params)
{
    if (!m_Context) {
        sdl::RenderWindow w;
        if (!sdl::LookUpRenderWindow(window, &w) || !w.window) return D3DERR_INVALIDCALL;
        m_Window = w.window;
        sdl::RequestGLAttributes();
        m_Context = SDL_GL_CreateContext(m_Window);
        if (!m_Context) {
            std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
            return D3DERR_NOTAVAILABLE;
        }
        KeepDriverLoaded();
        // No alpha: destination alpha must read 1 and read-back give 0xFF, as in X8R8G8B8.
        GLint red = 0, green = 0, blue = 0, alpha = -1, depth = 0;
        glGetIntegerv(GL_RED_BITS, &red);
        glGetIntegerv(GL_GREEN_BITS, &green);
        glGetIntegerv(GL_BLUE_BITS, &blue);
        glGetIntegerv(GL_ALPHA_BITS, &alpha);
        glGetIntegerv(GL_DEPTH_BITS, &depth);
        m_WindowMatchesFormat = red == 8 && green == 8 && blue == 8 && alpha == 0 && depth == 24;
        GLint texture = 0, viewport[2] = {0, 0};
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
        glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
        sdl::LimitSurfaceSide(std::min({int(texture), int(viewport[0]), int(viewport[1])}));
        std::lock_guard<std::mutex> guard(g_ReleasedNamesLock);
        m_Generation = ++g_ContextGeneration;
        g_ReleasedNames.clear();
    }
    SDL_GL_MakeCurrent(m_Window, static_cast<SDL_GLContext>(m_Context));
    if (!sdl::FitsSurface(long(params.BackBufferWidth), long(params.BackBufferHeight))) return D3DERR_INVALIDCALL;
    SDL_GL_SetSwapInterval(params.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
    SDL_SetWindowFullscreen(m_Window, params.Windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (m_Framebuffer == 0) {
        glGenFramebuffers(1, &m_Framebuffer);
        glGenRenderbuffers(1, &m_Colour);
        glGenRenderbuffers(1, &m_Depth);
    }
    m_Width = params.BackBufferWidth;
    m_Height = params.BackBufferHeight;
    glBindRenderbuffer(GL_RENDERBUFFER, m_Colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, GLsizei(m_Width), GLsizei(m_Height));
    glBindRenderbuffer(GL_RENDERBUFFER, m_Depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, GLsizei(m_Width),
                          GLsizei(m_Height));
    glBindFramebuffer(GL_FRAMEBUFFER, m_Framebuffer);
    m_Bound = m_Framebuffer;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_Colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_Depth);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return D3DERR_NOTAVAILABLE;
    m_Applied.valid = false;
    glActiveTexture(GL_TEXTURE1); // only stage 0 is ever drawn
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glFrontFace(GL_CW);
    glDepthFunc(GL_LEQUAL);
    GLfloat black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    for (int i = 0; i < 8; ++i) glDisable(GLenum(GL_LIGHT0 + i));
    ChooseTarget();
    return D3D_OK;
}

void GLBackend::ChooseTarget()
{
    const sdl::WindowGeometry window = sdl::ActualGeometry(m_Window, int(m_Width), int(m_Height));
    m_Direct = m_WindowMatchesFormat && window.width == GLint(m_Width) && window.height == GLint(m_Height);
    m_Bound = m_Direct ? 0 : m_Framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, m_Bound);
}

void GLBackend::BindBackBuffer(DeviceState&)
{
    // Another context (a second device, a plain GL program) may have been made current.
    if (SDL_GL_GetCurrentContext() != m_Context)
        SDL_GL_MakeCurrent(m_Window, static_cast<SDL_GLContext>(m_Context));
    DeleteReleasedTextures();
    // Nothing else binds a framebuffer in this context between ChooseTarget and Present.
    const unsigned target = m_Direct ? 0 : m_Framebuffer;
    if (m_Bound != target) {
        m_Bound = target;
        glBindFramebuffer(GL_FRAMEBUFFER, target);
    }
}

void GLBackend::ApplyViewport(DeviceState& s, bool pretransformed)
{
    const D3DVIEWPORT9& vp = s.viewport;
    Applied& a = m_Applied;
    if (a.valid && a.pretransformed == pretransformed && std::memcmp(&a.viewport, &vp, sizeof vp) == 0 &&
        (pretransformed || (std::memcmp(&a.world, &s.world, sizeof s.world) == 0 &&
                            std::memcmp(&a.view, &s.view, sizeof s.view) == 0 &&
                            std::memcmp(&a.projection, &s.projection, sizeof s.projection) == 0)))
        return;
    a.pretransformed = pretransformed;
    a.viewport = vp;
    a.world = s.world;
    a.view = s.view;
    a.projection = s.projection;
    GLint y = GLint(m_Height) - GLint(vp.Y) - GLint(vp.Height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(GLint(vp.X), y, GLsizei(vp.Width), GLsizei(vp.Height));
    if (pretransformed) {
        // Render-target pixels, y down, pixel centres on integers; z is the depth itself.
        glViewport(0, 0, GLsizei(m_Width), GLsizei(m_Height));
        glDepthRange(0.0, 1.0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.5, m_Width - 0.5, m_Height - 0.5, -0.5, 0.0, -1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        return;
    }
    glViewport(GLint(vp.X), y, GLsizei(vp.Width), GLsizei(vp.Height));
    glDepthRange(vp.MinZ, vp.MaxZ);
    // Row-vector matrices have the memory layout of GL's column-major ones.
    // Edges of transformed geometry fall on pixel centres; Direct3D includes the top and left
    // ones, so they are moved a 256th of a pixel up and left to make GL's rule agree.
    GLfloat halfPixel[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float nudge = 1.0f / 128.0f;
    halfPixel[12] = vp.Width ? (1.0f - nudge) / vp.Width : 0.0f;
    halfPixel[13] = vp.Height ? (-1.0f + nudge) / vp.Height : 0.0f;
    const GLfloat depthRemap[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, -1, 1}; // z' = 2z - w
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(halfPixel);
    glMultMatrixf(depthRemap);
    glMultMatrixf(&s.projection._11);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&s.view._11);
    glMultMatrixf(&s.world._11);
}

void GLBackend::ApplyRenderStates(DeviceState& s, bool pretransformed)
{
    const StateWord* rs = s.renderStates;
    const DWORD key[16] = {rs[D3DRS_ZENABLE], rs[D3DRS_ZWRITEENABLE], rs[D3DRS_CULLMODE], rs[D3DRS_FILLMODE],
                           rs[D3DRS_ALPHABLENDENABLE], rs[D3DRS_SRCBLEND], rs[D3DRS_DESTBLEND], rs[D3DRS_LIGHTING],
                           rs[D3DRS_FOGENABLE], rs[D3DRS_FOGCOLOR], rs[D3DRS_FOGTABLEMODE], rs[D3DRS_FOGVERTEXMODE],
                           rs[D3DRS_FOGSTART], rs[D3DRS_FOGEND], rs[D3DRS_FOGDENSITY], pretransformed ? 1u : 0u};
    if (m_Applied.valid && std::memcmp(m_Applied.renderStates, key, sizeof key) == 0) return;
    std::memcpy(m_Applied.renderStates, key, sizeof key);
    if (rs[D3DRS_ZENABLE]) glEnable(GL_DEPTH_TEST);
    else glDisable(GL_DEPTH_TEST);
    glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    glDepthFunc(GL_LEQUAL);

    switch (rs[D3DRS_CULLMODE]) {
    case D3DCULL_CW: glEnable(GL_CULL_FACE); glCullFace(GL_FRONT); break;
    case D3DCULL_CCW: glEnable(GL_CULL_FACE); glCullFace(GL_BACK); break;
    default: glDisable(GL_CULL_FACE); break;
    }
    switch (rs[D3DRS_FILLMODE]) {
    case D3DFILL_POINT: glPolygonMode(GL_FRONT_AND_BACK, GL_POINT); break;
    case D3DFILL_WIREFRAME: glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); break;
    default: glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); break;
    }

    if (rs[D3DRS_ALPHABLENDENABLE]) {
        glEnable(GL_BLEND);
        glBlendEquation(GL_FUNC_ADD);
        DWORD src = rs[D3DRS_SRCBLEND];
        if (src == D3DBLEND_BOTHSRCALPHA) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        else if (src == D3DBLEND_BOTHINVSRCALPHA) glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
        else glBlendFunc(BlendFactor(src), BlendFactor(rs[D3DRS_DESTBLEND]));
    } else {
        glDisable(GL_BLEND);
    }

    if (rs[D3DRS_LIGHTING] && !pretransformed) glEnable(GL_LIGHTING);
    else glDisable(GL_LIGHTING);

    DWORD tableMode = rs[D3DRS_FOGTABLEMODE], vertexMode = rs[D3DRS_FOGVERTEXMODE];
    DWORD mode = tableMode != D3DFOG_NONE ? tableMode : (pretransformed ? D3DFOG_NONE : vertexMode);
    if (rs[D3DRS_FOGENABLE] && mode != D3DFOG_NONE) {
        glEnable(GL_FOG);
        GLfloat colour[4];
        ColourOf(rs[D3DRS_FOGCOLOR], colour);
        glFogfv(GL_FOG_COLOR, colour);
        if (mode == D3DFOG_LINEAR) {
            glFogi(GL_FOG_MODE, GL_LINEAR);
            glFogf(GL_FOG_START, Float(rs[D3DRS_FOGSTART]));
            glFogf(GL_FOG_END, Float(rs[D3DRS_FOGEND]));
        } else {
            glFogi(GL_FOG_MODE, GL_EXP);
            glFogf(GL_FOG_DENSITY, Float(rs[D3DRS_FOGDENSITY]));
        }
    } else {
        glDisable(GL_FOG);
    }
}

bool GLBackend::UploadTexture(IDirect3DTexture9* texture)
{
    bool fresh = false;
    TextureData& data = *texture->Data();
    std::lock_guard<std::mutex> guard(data.lock);
    // Held by the texture while its lock is held: no counted copy for each draw.
    GLTexture* handle = static_cast<GLTexture*>(data.backendHandle.get());
    if (!handle || handle->generation != m_Generation) {
        std::shared_ptr<GLTexture> made = std::make_shared<GLTexture>();
        glGenTextures(1, &made->name);
        made->generation = m_Generation;
        data.backendHandle = made;
        handle = made.get();
        for (TextureLevel& l : data.levels) l.dirty = true;
        fresh = true;
    }
    glBindTexture(GL_TEXTURE_2D, handle->name);
    if (fresh) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(data.levels.size()) - 1); // complete
    }
    for (size_t i = 0; i < data.levels.size(); ++i) {
        if (!data.levels[i].dirty) continue;
        UploadLevel(data.format, GLint(i), data.levels[i]);
        data.levels[i].dirty = false;
    }
    return fresh;
}

void GLBackend::ApplyStage0(DeviceState& s)
{
    const StateWord* ts = s.stageStates[0];
    IDirect3DTexture9* texture = s.textures[0];
    if (ts[D3DTSS_COLOROP] == D3DTOP_DISABLE || !texture) {
        if (!m_Applied.valid || m_Applied.textured) glDisable(GL_TEXTURE_2D);
        m_Applied.textured = false;
        return;
    }
    const StateWord* ss = s.samplerStates[0];
    const DWORD key[8] = {ts[D3DTSS_COLOROP], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2], ts[D3DTSS_ALPHAOP],
                          ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2], ts[D3DTSS_TEXTURETRANSFORMFLAGS],
                          ss[D3DSAMP_MINFILTER] | ss[D3DSAMP_MAGFILTER] << 8 | ss[D3DSAMP_MIPFILTER] << 16};
    bool same = m_Applied.valid && m_Applied.textured && m_Applied.texture == texture &&
                std::memcmp(m_Applied.stage, key, sizeof key) == 0 &&
                (ts[D3DTSS_TEXTURETRANSFORMFLAGS] != D3DTTFF_COUNT2 ||
                 std::memcmp(&m_Applied.textureMatrix, &s.textureTransforms[0], sizeof(D3DMATRIX)) == 0);
    if (!m_Applied.valid || !m_Applied.textured) glEnable(GL_TEXTURE_2D);
    bool fresh = UploadTexture(texture); // uploads changed levels even when nothing else changed
    if (same && !fresh) return;
    m_Applied.textured = true;
    m_Applied.texture = texture;
    std::memcpy(m_Applied.stage, key, sizeof key);
    m_Applied.textureMatrix = s.textureTransforms[0];
    GLint mag = ss[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST;
    bool minLinear = ss[D3DSAMP_MINFILTER] >= D3DTEXF_LINEAR;
    GLint min = minLinear ? GL_LINEAR : GL_NEAREST;
    if (ss[D3DSAMP_MIPFILTER] == D3DTEXF_POINT)
        min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else if (ss[D3DSAMP_MIPFILTER] >= D3DTEXF_LINEAR)
        min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    SetCombine(false, ts[D3DTSS_COLOROP], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2]);
    DWORD alphaOp = ts[D3DTSS_ALPHAOP] == D3DTOP_DISABLE ? D3DTOP_SELECTARG2 : ts[D3DTSS_ALPHAOP];
    SetCombine(true, alphaOp, ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2]);

    // A 2D texture transform: (u, v, 1, 0) * M, the translation sits in M's third row.
    glMatrixMode(GL_TEXTURE);
    if (ts[D3DTSS_TEXTURETRANSFORMFLAGS] == D3DTTFF_COUNT2) {
        const D3DMATRIX& m = s.textureTransforms[0];
        GLfloat t[16] = {m._11, m._12, 0, 0, m._21, m._22, 0, 0, 0, 0, 1, 0, m._31, m._32, 0, 1};
        glLoadMatrixf(t);
    } else {
        glLoadIdentity();
    }
    glMatrixMode(GL_MODELVIEW);
}

void GLBackend::Clear(DeviceState& s, DWORD flags, D3DCOLOR colour, float z)
{
    if (s.renderTarget) return; // as for drawing: textures are not drawn into
    BindBackBuffer(s);
    m_Applied.valid = false; // the clear changes the scissor and the depth mask
    const D3DVIEWPORT9& vp = s.viewport;
    // Only the viewport is cleared; a whole-target clear goes without the scissor (the fast path).
    if (vp.X == 0 && vp.Y == 0 && vp.Width == m_Width && vp.Height == m_Height) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        glEnable(GL_SCISSOR_TEST);
        glScissor(GLint(vp.X), GLint(m_Height) - GLint(vp.Y) - GLint(vp.Height), GLsizei(vp.Width),
                  GLsizei(vp.Height));
    }
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        GLfloat c[4];
        ColourOf(colour, c);
        glClearColor(c[0], c[1], c[2], c[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
        // The window's depth comes with a stencil nothing uses: clearing both together is a
        // plain fill, depth alone a masked one.
        if (m_Direct) {
            glClearStencil(0);
            glStencilMask(0xFF);
            mask |= GL_STENCIL_BUFFER_BIT;
        }
    }
    if (mask) glClear(mask);
}

void GLBackend::Draw(DeviceState& s, const DrawCall& call)
{
    if (s.renderTarget) {
        // Drawing into a texture is not reproduced; it must not land in the back buffer instead.
        static bool warned = false;
        if (!warned) std::fprintf(stderr, "OpenGL backend: drawing into a texture is skipped\n");
        warned = true;
        return;
    }
    BindBackBuffer(s);
    const bool known = m_Applied.valid;
    bool pretransformed = (s.fvf & D3DFVF_XYZRHW) != 0;
    ApplyViewport(s, pretransformed);
    ApplyRenderStates(s, pretransformed);
    ApplyStage0(s);
    m_Applied.valid = true;

    // Arrays are switched on and off only when the vertex format changes. A switched-off array's
    // current value is set as it goes off: drawing from the array left that value undefined.
    const unsigned arrays = (s.fvf & D3DFVF_NORMAL ? 1u : 0u) | (s.fvf & D3DFVF_DIFFUSE ? 2u : 0u) |
                            (s.fvf & D3DFVF_TEX1 ? 4u : 0u);
    const bool switchArrays = !known || m_Applied.arrays != arrays;
    m_Applied.arrays = arrays;
    GLsizei stride = GLsizei(s.streamStride);
    GLuint count = ElementCount(call.type, call.primCount);
    GLint first = GLint(call.start);
    const uint8_t* base = s.stream->Bytes() + size_t(call.baseVertex) * s.streamStride;
    const size_t bytes = size_t(count) * s.streamStride;
    if (!call.indexed && bytes <= kStagingBytes) {
        if (m_Staging.size() != kStagingBytes) m_Staging.assign(kStagingBytes, 0);
        std::memcpy(m_Staging.data(), base + size_t(first) * s.streamStride, bytes);
        base = m_Staging.data();
        first = 0;
    }
    const bool movePointers = switchArrays || m_Applied.pointers != base || m_Applied.pointerFvf != s.fvf ||
                              m_Applied.pointerStride != s.streamStride;
    m_Applied.pointers = base;
    m_Applied.pointerFvf = s.fvf;
    m_Applied.pointerStride = s.streamStride;
    size_t offset = pretransformed ? 16 : 12;
    if (switchArrays) glEnableClientState(GL_VERTEX_ARRAY);
    if (movePointers) glVertexPointer(3, GL_FLOAT, stride, base);
    if (s.fvf & D3DFVF_NORMAL) {
        if (switchArrays) glEnableClientState(GL_NORMAL_ARRAY);
        if (movePointers) glNormalPointer(GL_FLOAT, stride, base + offset);
        offset += 12;
    } else if (switchArrays) {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0, 0, 1);
    }
    if (s.fvf & D3DFVF_DIFFUSE) {
        if (switchArrays) glEnableClientState(GL_COLOR_ARRAY);
        if (movePointers) glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + offset); // D3DCOLOR bytes
        offset += 4;
    } else if (switchArrays) {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1, 1, 1, 1);
    }
    if (s.fvf & D3DFVF_TEX1) {
        if (switchArrays) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        if (movePointers) glTexCoordPointer(2, GL_FLOAT, stride, base + offset);
    } else if (switchArrays) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    GLenum mode = PrimitiveMode(call.type);
    if (call.indexed) {
        UINT size = s.indices->IndexSize();
        glDrawElements(mode, GLsizei(count), size == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                       s.indices->Bytes() + size_t(call.start) * size);
    } else {
        glDrawArrays(mode, first, GLsizei(count));
    }
}

void GLBackend::Present(DeviceState& s)
{
    BindBackBuffer(s);
    if (hooks::CaptureRequested()) {
        hooks::PresentedImage image;
        image.width = m_Width;
        image.height = m_Height;
        std::vector<uint8_t> rows(size_t(m_Width) * m_Height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, GLsizei(m_Width), GLsizei(m_Height), GL_BGRA, GL_UNSIGNED_BYTE,
                     rows.data());
        image.bgra.resize(rows.size());
        size_t pitch = size_t(m_Width) * 4;
        for (UINT y = 0; y < m_Height; ++y) // GL's rows run bottom up
            std::memcpy(&image.bgra[y * pitch], &rows[(m_Height - 1 - y) * pitch], pitch);
        hooks::StorePresented(std::move(image));
    }
    m_Applied.valid = false;
    if (!m_Direct) {
        // The window as it is: a full screen the display refused leaves it at its old size.
        const sdl::WindowGeometry window = sdl::ActualGeometry(m_Window, int(m_Width), int(m_Height));
        const GLint w = window.width, h = window.height;
        glDisable(GL_SCISSOR_TEST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_Framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        bool scaled = w != GLint(m_Width) || h != GLint(m_Height);
        glBlitFramebuffer(0, 0, GLint(m_Width), GLint(m_Height), 0, 0, w, h, GL_COLOR_BUFFER_BIT,
                          scaled ? GL_LINEAR : GL_NEAREST);
    }
    SDL_GL_SwapWindow(m_Window);
    ChooseTarget();
}

} // namespace render
} // namespace platform
