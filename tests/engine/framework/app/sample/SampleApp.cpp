#include "SampleApp.h"

#include "engine/core/render/SRenderDevice.h"
#include "platform/d3d9.h"

#include <chrono>

namespace sample {

void SampleControl::DoMouseDownEvent(const TarnEngine::UI::SUIInputMouseDownEvent& e)
{
    m_ClickX = e.m_X;
    m_ClickY = e.m_Y;
    m_Clicked = true;
}

void SampleControl::DoCharEvent(const TarnEngine::UI::SUIInputCharEvent& e)
{
    m_LastChar = int(e.m_Code);
}

SampleApp::SampleApp() : m_Control(new SampleControl) {}

void SampleApp::DoInitObjects()
{
    // Receivers are registered before the input thread starts.
    GetInputMessager()->AddReceiver(m_Control);
    // Keep loading until the loading screen has been shown at least once.
    std::unique_lock<std::mutex> lock(m_Lock);
    m_LoadingDrawn.wait_for(lock, std::chrono::seconds(10), [&] { return m_LoadingFrames.load() > 0; });
    m_Mode = Running;
}

void SampleApp::DoDrawLoading()
{
    RECT client;
    GetClientRect(GetWindow()->GetHandle(), &client);
    Fill(0, 0, client.right, client.bottom, 0xFF0000FF);
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        ++m_LoadingFrames;
    }
    m_LoadingDrawn.notify_all();
}

void SampleApp::DoUpdate()
{
    if (m_Control->m_Clicked && m_Control->m_LastChar == 'q') m_Mode = Quit;
}

void SampleApp::DoDraw()
{
    if (m_Control->m_Clicked) Fill(m_Control->m_ClickX - 10, m_Control->m_ClickY - 10, 20, 20, 0xFF00FF00);
    if (m_Control->m_LastChar != 0) Fill(0, 0, 16, 16, 0xFFFF0000);
}

void SampleApp::Fill(int x, int y, int width, int height, uint32_t colour)
{
    if (x < 0) width += x, x = 0;
    if (y < 0) height += y, y = 0;
    if (width <= 0 || height <= 0) return;
    SCore::SRenderDeviceLock lock(*GetViewport()->m_RenderDevice);
    IDirect3DDevice9* device = static_cast<IDirect3DDevice9*>(lock.Native());
    D3DVIEWPORT9 whole;
    device->GetViewport(&whole);
    D3DVIEWPORT9 part = {DWORD(x), DWORD(y), DWORD(width), DWORD(height), 0.0f, 1.0f};
    device->SetViewport(&part);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    device->SetViewport(&whole);
}

} // namespace sample
