// The D3DX font: every face is DejaVu Sans (bold from weight 600) rendered by SDL2_ttf. Text is
// drawn as one pre-transformed, alpha-blended quad through the device, from a texture and a
// vertex buffer each font keeps, with the device's states put back afterwards. No GL state
// outlives a draw, so loss and reset are bookkeeping only.

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
const DWORD kVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Laid-out text as one block of texels (B, G, R, A) and where the block sits on the screen.
struct TextBlock {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> texels;
};

// Places the lines in the rectangle as the format asks and renders them in the colour.
// The caller holds the SDL_ttf lock.
TextBlock Render(TTF_Font* face, const std::vector<Line>& lines, int lineSkip, const RECT& rect, DWORD format,
                 D3DCOLOR colour)
{
    const int rectWidth = rect.right - rect.left, rectHeight = rect.bottom - rect.top;
    TextBlock block;
    block.height = int(lines.size()) * lineSkip;
    block.top = rect.top;
    if (format & DT_VCENTER) block.top = rect.top + (rectHeight - block.height) / 2;
    else if (format & DT_BOTTOM) block.top = rect.bottom - block.height;
    int left = rect.left, right = rect.left;
    std::vector<int> lineLeft;
    for (const Line& line : lines) {
        int x = rect.left;
        if (format & DT_CENTER) x = rect.left + (rectWidth - line.width) / 2;
        else if (format & DT_RIGHT) x = rect.right - line.width;
        lineLeft.push_back(x);
        left = std::min(left, x);
        right = std::max(right, x + line.width);
    }
    block.left = left;
    block.width = right - left;
    block.texels.assign(size_t(block.width) * block.height * 4, 0);
    const uint8_t red = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF, blue = colour & 0xFF,
                  alpha = colour >> 24;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.empty()) continue;
        SDL_Surface* glyphs = TTF_RenderUTF8_Blended(face, lines[i].text.c_str(), SDL_Color{255, 255, 255, 255});
        if (!glyphs) continue;
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(glyphs);
        if (!argb) continue;
        SDL_LockSurface(argb);
        const int lineTop = int(i) * lineSkip, lineX = lineLeft[i] - left;
        for (int y = 0; y < argb->h && lineTop + y < block.height; ++y) {
            const uint32_t* source =
                reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch);
            for (int x = 0; x < argb->w && lineX + x < block.width; ++x) {
                uint8_t* texel = &block.texels[(size_t(lineTop + y) * block.width + lineX + x) * 4];
                texel[0] = blue;
                texel[1] = green;
                texel[2] = red;
                texel[3] = uint8_t((source[x] >> 24) * alpha / 255);
            }
        }
        SDL_UnlockSurface(argb);
        SDL_FreeSurface(argb);
    }
    return block;
}

// The block's quad on the screen and the part of its texture it shows.
struct Quad {
    float x0, y0, x1, y1;
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// Clips the block to the rectangle unless the format says not to (a zero-width rectangle then
// draws from its left); false when nothing of it is left.
bool PlaceQuad(const TextBlock& block, const RECT& rect, DWORD format, Quad* quad)
{
    Quad q{float(block.left), float(block.top), float(block.left + block.width), float(block.top + block.height)};
    if (!(format & DT_NOCLIP)) {
        // Moves an edge in to the limit and the texture coordinate with it, by the part cut off.
        const auto clip = [](float& edge, float& coordinate, float limit, float span, bool low) {
            if (low ? edge >= limit : edge <= limit) return;
            coordinate += (limit - edge) / span;
            edge = limit;
        };
        const float spanX = q.x1 - q.x0, spanY = q.y1 - q.y0;
        clip(q.x0, q.u0, float(rect.left), spanX, true);
        clip(q.x1, q.u1, float(rect.right), spanX, false);
        clip(q.y0, q.v0, float(rect.top), spanY, true);
        clip(q.y1, q.v1, float(rect.bottom), spanY, false);
        if (q.x0 >= q.x1 || q.y0 >= q.y1) return false;
    }
    *quad = q;
    return true;
}

// The states the font draws with, set on the device for one draw; the device's own come back
// when the guard goes, however the draw ends. The caller holds the state's lock.
class FontDrawStates {
public:
    FontDrawStates(platform::render::DeviceState& state, IDirect3DTexture9* texture, IDirect3DVertexBuffer9* quad)
        : m_State(state), m_Texture(state.textures[0]), m_Stream(state.stream), m_Stride(state.streamStride),
          m_Fvf(state.fvf)
    {
        for (size_t i = 0; i < kRenderStates; ++i) {
            m_RenderStates[i] = state.renderStates[kRenderStateValues[i].state];
            state.renderStates[kRenderStateValues[i].state] = kRenderStateValues[i].value;
        }
        for (size_t i = 0; i < kStageStates; ++i) {
            m_StageStates[i] = state.stageStates[0][kStageStateValues[i].state];
            state.stageStates[0][kStageStateValues[i].state] = kStageStateValues[i].value;
        }
        for (size_t i = 0; i < kSamplerStates; ++i) {
            m_SamplerStates[i] = state.samplerStates[0][kSamplerStateValues[i].state];
            state.samplerStates[0][kSamplerStateValues[i].state] = kSamplerStateValues[i].value;
        }
        state.textures[0] = texture;
        state.stream = quad;
        state.streamStride = sizeof(Vertex);
        state.fvf = kVertexFormat;
    }
    ~FontDrawStates()
    {
        m_State.textures[0] = m_Texture;
        m_State.stream = m_Stream;
        m_State.streamStride = m_Stride;
        m_State.fvf = m_Fvf;
        for (size_t i = 0; i < kRenderStates; ++i) m_State.renderStates[kRenderStateValues[i].state] = m_RenderStates[i];
        for (size_t i = 0; i < kStageStates; ++i)
            m_State.stageStates[0][kStageStateValues[i].state] = m_StageStates[i];
        for (size_t i = 0; i < kSamplerStates; ++i)
            m_State.samplerStates[0][kSamplerStateValues[i].state] = m_SamplerStates[i];
    }
    FontDrawStates(const FontDrawStates&) = delete;
    FontDrawStates& operator=(const FontDrawStates&) = delete;

private:
    template <typename State> struct Setting {
        State state;
        DWORD value;
    };
    static constexpr size_t kRenderStates = 7, kStageStates = 7, kSamplerStates = 3;
    static constexpr Setting<D3DRENDERSTATETYPE> kRenderStateValues[kRenderStates] = {
        {D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
        {D3DRS_ZENABLE, FALSE},         {D3DRS_CULLMODE, D3DCULL_NONE},      {D3DRS_FILLMODE, D3DFILL_SOLID},
        {D3DRS_FOGENABLE, FALSE}};
    static constexpr Setting<D3DTEXTURESTAGESTATETYPE> kStageStateValues[kStageStates] = {
        {D3DTSS_COLOROP, D3DTOP_MODULATE},   {D3DTSS_COLORARG1, D3DTA_TEXTURE}, {D3DTSS_COLORARG2, D3DTA_CURRENT},
        {D3DTSS_ALPHAOP, D3DTOP_MODULATE},   {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
        {D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE}};
    static constexpr Setting<D3DSAMPLERSTATETYPE> kSamplerStateValues[kSamplerStates] = {
        {D3DSAMP_MINFILTER, D3DTEXF_POINT}, {D3DSAMP_MAGFILTER, D3DTEXF_POINT}, {D3DSAMP_MIPFILTER, D3DTEXF_NONE}};

    platform::render::DeviceState& m_State;
    IDirect3DTexture9* m_Texture;
    IDirect3DVertexBuffer9* m_Stream;
    UINT m_Stride;
    DWORD m_Fvf;
    DWORD m_RenderStates[kRenderStates], m_StageStates[kStageStates], m_SamplerStates[kSamplerStates];
};

// Puts the block's texels into the font's texture, made on first use and kept for every draw.
void Upload(TextBlock& block, IDirect3DTexture9*& texture)
{
    if (!texture) texture = new IDirect3DTexture9(std::make_shared<platform::render::TextureData>());
    platform::render::TextureData& data = *texture->Data();
    std::lock_guard<std::mutex> guard(data.lock);
    const std::vector<platform::render::TextureLevel>& levels = data.levels;
    if (levels.empty() || levels[0].width != UINT(block.width) || levels[0].height != UINT(block.height))
        data.Allocate(UINT(block.width), UINT(block.height), 1, D3DFMT_A8R8G8B8);
    data.levels[0].bytes = std::move(block.texels);
    data.levels[0].dirty = true;
}

// Writes the quad into the font's vertex buffer, made on first use and kept for every draw.
bool FillQuad(const Quad& quad, IDirect3DDevice9* device, IDirect3DVertexBuffer9*& buffer)
{
    if (!buffer && FAILED(device->CreateVertexBuffer(4 * sizeof(Vertex), D3DUSAGE_WRITEONLY, kVertexFormat,
                                                     D3DPOOL_MANAGED, &buffer, nullptr))) {
        buffer = nullptr;
        return false;
    }
    Vertex* v = nullptr;
    if (FAILED(buffer->Lock(0, 0, reinterpret_cast<void**>(&v), 0)) || !v) return false;
    // Pixel centres sit on integers, so a texel-exact quad spans half a pixel outside them.
    v[0] = {quad.x0 - 0.5f, quad.y0 - 0.5f, 0, 1, 0xFFFFFFFF, quad.u0, quad.v0};
    v[1] = {quad.x1 - 0.5f, quad.y0 - 0.5f, 0, 1, 0xFFFFFFFF, quad.u1, quad.v0};
    v[2] = {quad.x0 - 0.5f, quad.y1 - 0.5f, 0, 1, 0xFFFFFFFF, quad.u0, quad.v1};
    v[3] = {quad.x1 - 0.5f, quad.y1 - 0.5f, 0, 1, 0xFFFFFFFF, quad.u1, quad.v1};
    return SUCCEEDED(buffer->Unlock());
}

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
    if (m_Quad) m_Quad->Release();
    if (m_Texture) m_Texture->Release();
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
    const std::string s = count < 0 ? std::string(text) : std::string(text, size_t(count));
    TTF_Font* face = static_cast<TTF_Font*>(m_Face);
    TextBlock block;
    {
        std::lock_guard<std::mutex> ttf(g_TtfLock);
        const std::vector<Line> lines = Layout(face, s, format, rect->right - rect->left);
        const int lineSkip = std::max(1, TTF_FontLineSkip(face));
        int textWidth = 0;
        for (const Line& line : lines) textWidth = std::max(textWidth, line.width);
        const int textHeight = int(lines.size()) * lineSkip;
        if (format & DT_CALCRECT) {
            rect->right = rect->left + textWidth;
            rect->bottom = rect->top + textHeight;
            return textHeight;
        }
        if (textWidth == 0) return textHeight;
        block = Render(face, lines, lineSkip, *rect, format, colour);
    }
    Quad quad;
    if (!PlaceQuad(block, *rect, format, &quad)) return block.height;
    Upload(block, m_Texture);
    if (!FillQuad(quad, m_Device, m_Quad)) return 0;
    platform::render::DeviceState& state = m_Device->State();
    std::lock_guard<platform::RecursiveLock> guard(state.lock);
    FontDrawStates states(state, m_Texture, m_Quad);
    return SUCCEEDED(m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)) ? block.height : 0;
}
