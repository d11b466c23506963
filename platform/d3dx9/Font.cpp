// The D3DX font: every face is DejaVu Sans (bold from weight 600) rendered by SDL2_ttf. Text is
// drawn as one pre-transformed, alpha-blended quad through the device, with the device's states
// put back afterwards. No GL state outlives a draw, so loss and reset are bookkeeping only.

#include "platform/d3d9/DeviceState.h"
#include "platform/d3d9/TextureData.h"
#include "platform/d3dx9.h"
#include "platform/d3d9/Hooks.h"
#include "platform/posix/Hooks.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

const char* const kRegular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::mutex g_TtfLock; // SDL_ttf is not thread-safe

struct Line {
    std::string text;
    int width;
};

int TextWidth(TTF_Font* face, const std::string& text)
{
    int w = 0, h = 0;
    if (text.empty() || TTF_SizeUTF8(face, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

// Splits at line ends and, with word breaking, between words so that each line fits.
std::vector<Line> Layout(TTF_Font* face, const std::string& text, DWORD format, int width)
{
    std::vector<Line> lines;
    std::vector<std::string> paragraphs;
    if (format & DT_SINGLELINE) {
        std::string flat = text;
        std::replace(flat.begin(), flat.end(), '\n', ' ');
        flat.erase(std::remove(flat.begin(), flat.end(), '\r'), flat.end());
        paragraphs.push_back(flat);
    } else {
        std::string current;
        for (char c : text) {
            if (c == '\r') continue;
            if (c == '\n') {
                paragraphs.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        paragraphs.push_back(current);
    }
    for (const std::string& p : paragraphs) {
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || TextWidth(face, p) <= width) {
            lines.push_back({p, TextWidth(face, p)});
            continue;
        }
        std::string current;
        size_t i = 0;
        while (i <= p.size()) {
            size_t space = p.find(' ', i);
            std::string word = p.substr(i, space == std::string::npos ? std::string::npos : space - i);
            std::string candidate = current.empty() ? word : current + " " + word;
            if (!current.empty() && TextWidth(face, candidate) > width) {
                lines.push_back({current, TextWidth(face, current)});
                current = word;
            } else {
                current = candidate;
            }
            if (space == std::string::npos) break;
            i = space + 1;
        }
        lines.push_back({current, TextWidth(face, current)});
    }
    return lines;
}

struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

} // namespace

HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* device, const LOGFONTA* desc, ID3DXFont** font)
{
    HRESULT hr = platform::hooks::TakeInjected("D3DXCreateFontIndirectA");
    if (FAILED(hr)) return hr;
    if (!device || !desc || !font) return D3DERR_INVALIDCALL;
    std::lock_guard<std::mutex> guard(g_TtfLock);
    if (!TTF_WasInit() && TTF_Init() != 0) return E_FAIL;
    int height = desc->lfHeight > 0 ? desc->lfHeight : (desc->lfHeight < 0 ? -desc->lfHeight : 16);
    const char* file = desc->lfWeight >= 600 ? kBold : kRegular;
    TTF_Font* probe = TTF_OpenFont(file, height);
    if (!probe) return E_FAIL;
    int skip = TTF_FontLineSkip(probe);
    TTF_CloseFont(probe);
    int points = skip > 0 ? std::max(1, height * height / skip) : height;
    TTF_Font* face = TTF_OpenFont(file, points);
    if (!face) return E_FAIL;
    *font = new ID3DXFont(device, face, height);
    return D3D_OK;
}

ID3DXFont::ID3DXFont(IDirect3DDevice9* device, void* face, int lineHeight)
    : m_Device(device), m_Face(face), m_LineHeight(lineHeight)
{
    m_Device->AddRef();
    platform::hooks::CountLive("ID3DXFont", 1);
}

ID3DXFont::~ID3DXFont()
{
    {
        std::lock_guard<std::mutex> guard(g_TtfLock);
        TTF_CloseFont(static_cast<TTF_Font*>(m_Face));
    }
    m_Device->Release();
    platform::hooks::CountLive("ID3DXFont", -1);
}

HRESULT ID3DXFont::Begin() { return D3D_OK; }
HRESULT ID3DXFont::End() { return D3D_OK; }

HRESULT ID3DXFont::OnLostDevice()
{
    ++m_Lost;
    return D3D_OK;
}

HRESULT ID3DXFont::OnResetDevice()
{
    ++m_Reset;
    return D3D_OK;
}

INT ID3DXFont::DrawTextA(const char* text, INT count, RECT* rect, DWORD format, D3DCOLOR colour)
{
    if (!text || !rect) return 0;
    std::string s = count < 0 ? std::string(text) : std::string(text, size_t(count));
    TTF_Font* face = static_cast<TTF_Font*>(m_Face);
    std::unique_lock<std::mutex> ttf(g_TtfLock);
    int rectWidth = rect->right - rect->left, rectHeight = rect->bottom - rect->top;
    std::vector<Line> lines = Layout(face, s, format, rectWidth);
    int lineSkip = std::max(1, TTF_FontLineSkip(face));
    int textHeight = int(lines.size()) * lineSkip;
    int textWidth = 0;
    for (const Line& l : lines) textWidth = std::max(textWidth, l.width);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + textWidth;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }
    if (textWidth == 0) return textHeight;

    // Place the block in the rectangle.
    int top = rect->top;
    if (format & DT_VCENTER) top = rect->top + (rectHeight - textHeight) / 2;
    else if (format & DT_BOTTOM) top = rect->bottom - textHeight;
    int left = rect->left, right = rect->left + textWidth;
    std::vector<int> lineLeft;
    for (const Line& l : lines) {
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (rectWidth - l.width) / 2;
        else if (format & DT_RIGHT) x = rect->right - l.width;
        lineLeft.push_back(x);
        left = std::min(left, x);
        right = std::max(right, x + l.width);
    }
    int width = right - left, height = textHeight;
    std::vector<uint8_t> texels(size_t(width) * height * 4, 0);
    uint8_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF, a = colour >> 24;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.empty()) continue;
        SDL_Surface* glyphs = TTF_RenderUTF8_Blended(face, lines[i].text.c_str(), SDL_Color{255, 255, 255, 255});
        if (!glyphs) continue;
        SDL_Surface* rgba = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(glyphs);
        if (!rgba) continue;
        SDL_LockSurface(rgba);
        for (int y = 0; y < rgba->h && int(i) * lineSkip + y < height; ++y) {
            const uint32_t* src = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch);
            for (int x = 0; x < rgba->w && lineLeft[i] - left + x < width; ++x) {
                uint8_t* dst = &texels[(size_t(int(i) * lineSkip + y) * width + (lineLeft[i] - left + x)) * 4];
                dst[0] = b;
                dst[1] = g;
                dst[2] = r;
                dst[3] = uint8_t((src[x] >> 24) * a / 255);
            }
        }
        SDL_UnlockSurface(rgba);
        SDL_FreeSurface(rgba);
    }
    ttf.unlock();

    // Clip to the rectangle unless asked not to (a zero-width rectangle then draws from its left).
    float x0 = float(left), y0 = float(top), x1 = float(left + width), y1 = float(top + height);
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    if (!(format & DT_NOCLIP)) {
        float su0 = u0, su1 = u1, sv0 = v0, sv1 = v1;
        float spanX = x1 - x0, spanY = y1 - y0;
        if (x0 < rect->left) { su0 = (rect->left - x0) / spanX; x0 = float(rect->left); }
        if (x1 > rect->right) { su1 = 1 - (x1 - rect->right) / spanX; x1 = float(rect->right); }
        if (y0 < rect->top) { sv0 = (rect->top - y0) / spanY; y0 = float(rect->top); }
        if (y1 > rect->bottom) { sv1 = 1 - (y1 - rect->bottom) / spanY; y1 = float(rect->bottom); }
        u0 = su0; u1 = su1; v0 = sv0; v1 = sv1;
        if (x0 >= x1 || y0 >= y1) return textHeight;
    }

    auto data = std::make_shared<platform::render::TextureData>();
    data->Allocate(UINT(width), UINT(height), 1, D3DFMT_A8R8G8B8);
    data->levels[0].bytes = std::move(texels);
    IDirect3DTexture9* texture = new IDirect3DTexture9(data);
    IDirect3DVertexBuffer9* buffer = nullptr;
    const DWORD fvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    if (FAILED(m_Device->CreateVertexBuffer(4 * sizeof(Vertex), D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED, &buffer, nullptr))) {
        texture->Release();
        return 0;
    }
    Vertex* v = nullptr;
    buffer->Lock(0, 0, reinterpret_cast<void**>(&v), 0);
    // Pixel centres sit on integers, so a texel-exact quad spans half a pixel outside them.
    v[0] = {x0 - 0.5f, y0 - 0.5f, 0, 1, 0xFFFFFFFF, u0, v0};
    v[1] = {x1 - 0.5f, y0 - 0.5f, 0, 1, 0xFFFFFFFF, u1, v0};
    v[2] = {x0 - 0.5f, y1 - 0.5f, 0, 1, 0xFFFFFFFF, u0, v1};
    v[3] = {x1 - 0.5f, y1 - 0.5f, 0, 1, 0xFFFFFFFF, u1, v1};
    buffer->Unlock();

    // Draw with our own states and put the device's back.
    struct Saved {
        D3DRENDERSTATETYPE state;
        DWORD value;
    } saved[] = {{D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                 {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}, {D3DRS_ZENABLE, FALSE},
                 {D3DRS_CULLMODE, D3DCULL_NONE}, {D3DRS_FILLMODE, D3DFILL_SOLID},
                 {D3DRS_FOGENABLE, FALSE}};
    struct SavedStage {
        D3DTEXTURESTAGESTATETYPE state;
        DWORD value;
    } stage[] = {{D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_COLORARG1, D3DTA_TEXTURE},
                 {D3DTSS_COLORARG2, D3DTA_CURRENT}, {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
                 {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
                 {D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE}};
    platform::render::DeviceState& st = m_Device->State();
    std::lock_guard<std::recursive_mutex> guard(st.lock);
    DWORD oldStates[sizeof saved / sizeof saved[0]], oldStage[sizeof stage / sizeof stage[0]];
    for (size_t i = 0; i < sizeof saved / sizeof saved[0]; ++i) {
        oldStates[i] = st.renderStates[saved[i].state];
        st.renderStates[saved[i].state] = saved[i].value;
    }
    for (size_t i = 0; i < sizeof stage / sizeof stage[0]; ++i) {
        oldStage[i] = st.stageStates[0][stage[i].state];
        st.stageStates[0][stage[i].state] = stage[i].value;
    }
    DWORD oldMin = st.samplerStates[0][D3DSAMP_MINFILTER], oldMag = st.samplerStates[0][D3DSAMP_MAGFILTER],
          oldMip = st.samplerStates[0][D3DSAMP_MIPFILTER];
    st.samplerStates[0][D3DSAMP_MINFILTER] = st.samplerStates[0][D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    st.samplerStates[0][D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    IDirect3DTexture9* oldTexture = st.textures[0];
    IDirect3DVertexBuffer9* oldStream = st.stream;
    UINT oldStride = st.streamStride;
    DWORD oldFvf = st.fvf;
    st.textures[0] = texture;
    st.stream = buffer;
    st.streamStride = sizeof(Vertex);
    st.fvf = fvf;
    m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    st.textures[0] = oldTexture;
    st.stream = oldStream;
    st.streamStride = oldStride;
    st.fvf = oldFvf;
    st.samplerStates[0][D3DSAMP_MINFILTER] = oldMin;
    st.samplerStates[0][D3DSAMP_MAGFILTER] = oldMag;
    st.samplerStates[0][D3DSAMP_MIPFILTER] = oldMip;
    for (size_t i = 0; i < sizeof saved / sizeof saved[0]; ++i) st.renderStates[saved[i].state] = oldStates[i];
    for (size_t i = 0; i < sizeof stage / sizeof stage[0]; ++i) st.stageStates[0][stage[i].state] = oldStage[i];
    buffer->Release();
    texture->Release();
    return textHeight;
}
