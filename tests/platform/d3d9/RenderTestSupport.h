#pragma once
// Shared by the render layer's tests: presentation parameters and the screen vertex.

#include "platform/d3d9.h"

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
const DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

inline D3DPRESENT_PARAMETERS WindowedParams(HWND window, UINT width, UINT height)
{
    D3DPRESENT_PARAMETERS p = {};
    p.BackBufferWidth = width;
    p.BackBufferHeight = height;
    p.BackBufferFormat = D3DFMT_X8R8G8B8;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.hDeviceWindow = window;
    p.Windowed = TRUE;
    p.EnableAutoDepthStencil = TRUE;
    p.AutoDepthStencilFormat = D3DFMT_D16;
    p.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return p;
}
