#pragma once
// The OpenGL 2.1 (compatibility, fixed function) backend of the Direct3D 9 device.
// The device's shadow state is applied at every clear and draw. The back buffer is the window's
// own when it has the back buffer's size and format (RGB, no alpha, 24-bit depth), so Present
// only swaps; otherwise (full screen, stretched) an offscreen RGB framebuffer of that format is
// blitted to the window at Present. Textures are uploaded from their CPU copy when drawn after a
// change. Every call happens on the main thread.
// Not reproduced: rendering into textures (nothing draws into one), lights, range fog, stages
// above 0, exact D3D fog and filtering. Depends on: SDL2 (context), libGL (Mesa llvmpipe here).

#include "platform/d3d9/Backend.h"

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace platform {
namespace render {

class GLBackend : public Backend {
public:
    GLBackend();
    ~GLBackend() override;
    HRESULT Configure(HWND window, const D3DPRESENT_PARAMETERS& params) override;
    void Clear(DeviceState& state, DWORD flags, D3DCOLOR colour, float z) override;
    void Draw(DeviceState& state, const DrawCall& call) override;
    void Present(DeviceState& state) override;

private:
    void BindBackBuffer(DeviceState& state);
    // Draws the coming frame into the window itself when its drawable matches the back buffer.
    void ChooseTarget();
    void ApplyViewport(DeviceState& state, bool pretransformed);
    void ApplyRenderStates(DeviceState& state, bool pretransformed);
    void ApplyStage0(DeviceState& state);
    // Binds the texture, uploading changed levels; true when it got a new GL name.
    bool UploadTexture(IDirect3DTexture9* texture);

    // What the last draw applied, so that an unchanged group of state is not sent again
    // (state changes make the GL driver re-validate, which costs more than the draw).
    struct Applied {
        bool valid = false;
        bool pretransformed = false;
        D3DVIEWPORT9 viewport;
        D3DMATRIX world, view, projection;
        DWORD renderStates[16];
        bool textured = false;
        IDirect3DTexture9* texture = nullptr;
        DWORD stage[8];
        D3DMATRIX textureMatrix;
        unsigned arrays = 0; // normal, colour and texture coordinate arrays on (bits 0, 1, 2)
        const void* pointers = nullptr; // where the arrays point, for the format and stride below
        DWORD pointerFvf = 0;
        UINT pointerStride = 0;
    };
    Applied m_Applied;
    // Small draws are copied here, so the arrays keep pointing at one place from draw to draw
    // (a moved array costs the driver more than the copy).
    std::vector<uint8_t> m_Staging;

    SDL_Window* m_Window = nullptr;
    void* m_Context = nullptr;
    unsigned m_Framebuffer = 0, m_Colour = 0, m_Depth = 0;
    bool m_WindowMatchesFormat = false; // the window's buffers hold what the back buffer holds
    bool m_Direct = false;              // this frame is drawn into the window
    unsigned m_Bound = 0;               // the framebuffer bound for drawing
    UINT m_Width = 0, m_Height = 0;
    unsigned m_Generation = 0;
};

} // namespace render
} // namespace platform
