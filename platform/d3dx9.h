#pragma once
// D3DX9 as the engine calls it: textures from image files and memory, the font, and the matrix
// and vector helpers. Textures are decoded on the calling thread into CPU memory (no GL call);
// D3DX_DEFAULT sizes are rounded up to powers of two and the image is resampled to fill them.
// The font is DejaVu Sans through SDL2_ttf whatever face is asked for. Not bit-exact with the
// platform's own filtering; no other D3DX functions. Depends on platform/image, SDL2_ttf.

#include "platform/d3d9.h"

#define D3DX_DEFAULT 0xFFFFFFFFu
#define D3DX_FILTER_NONE 1u
#define D3DX_FILTER_TRIANGLE 4u
#define D3DX_FILTER_BOX 5u

// --- Matrices and vectors ------------------------------------------------------------------------
struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
    D3DXMATRIX(const D3DMATRIX& m) : D3DMATRIX(m) {}
};

struct D3DXVECTOR3 {
    float x, y, z;
    D3DXVECTOR3() = default;
    D3DXVECTOR3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zn,
                                       float zf);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

// --- Textures ------------------------------------------------------------------------------------
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* file,
                                   IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                     D3DCOLOR colourKey, void* srcInfo, void* palette,
                                     IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* data, UINT size,
                                          IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data,
                                            UINT size, UINT width, UINT height, UINT mipLevels,
                                            DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            DWORD filter, DWORD mipFilter, D3DCOLOR colourKey,
                                            void* srcInfo, void* palette,
                                            IDirect3DTexture9** texture);
#define D3DXCreateTextureFromFile D3DXCreateTextureFromFileA
#define D3DXCreateTextureFromFileEx D3DXCreateTextureFromFileExA

// --- Font ----------------------------------------------------------------------------------------
#define LF_FACESIZE 32
#define DEFAULT_CHARSET 1
#define ANTIALIASED_QUALITY 4
#define FW_BOLD 700

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA LOGFONT;

#define DT_LEFT 0x0u
#define DT_CENTER 0x1u
#define DT_RIGHT 0x2u
#define DT_VCENTER 0x4u
#define DT_BOTTOM 0x8u
#define DT_WORDBREAK 0x10u
#define DT_SINGLELINE 0x20u
#define DT_NOCLIP 0x100u
#define DT_CALCRECT 0x400u

class ID3DXFont : public IUnknown {
public:
    HRESULT Begin();
    HRESULT End();
    INT DrawTextA(const char* text, INT count, RECT* rect, DWORD format, D3DCOLOR colour);
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();

    // Layer side.
    ID3DXFont(IDirect3DDevice9* device, void* face, int lineHeight);
    unsigned LostCount() const { return m_Lost; }
    unsigned ResetCount() const { return m_Reset; }

protected:
    ~ID3DXFont() override;

private:
    IDirect3DDevice9* m_Device;
    void* m_Face;
    int m_LineHeight;
    unsigned m_Lost = 0, m_Reset = 0;
    IDirect3DTexture9* m_Texture = nullptr;   // the last text drawn, reused by the next
    IDirect3DVertexBuffer9* m_Quad = nullptr; // its quad, likewise

};

HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* device, const LOGFONTA* desc, ID3DXFont** font);
#define D3DXCreateFontIndirect D3DXCreateFontIndirectA
