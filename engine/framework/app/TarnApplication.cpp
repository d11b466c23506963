#include "engine/framework/app/TarnApplication.h"

#include "engine/core/base/FileUtils.h"
#include "engine/core/base/SEvent.h"
#include "engine/core/base/SLoger.h"
#include "engine/core/base/SRenderDeviceResetException.h"
#include "engine/core/render/SMaterial.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STexture.h"
#include "engine/core/serialization/STextureLoadParams.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "platform/d3dx9.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/threads/SBackgroundWorker.h"
#include "engine/framework/threads/SUIEvent.h"
#include "engine/framework/input/SUIMutex.h"
#include "engine/framework/app/SViewportFactory.h"
#include "engine/framework/app/WindowProc.h"
#include "platform/dinput8.h"
#include "platform/files.h"
#include "platform/signals.h"

#include <string>
#include <vector>

namespace TarnEngine {

static const char* const kTarnSource = "Src\\TarnApplication";

namespace {

const DWORD kWindowedStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void Log(const std::string& text)
{
    gLoger << SCore::GetCurrentDateTime() << (text + "\n");
}

} // namespace

TarnApplication::TarnApplication() : m_Loading(false) {}

TarnApplication::~TarnApplication()
{
    StopInput();
    // No message reaches a half-destroyed application.
    ClearApplication(this);
    m_TextureListPath.clear();
    m_InputMessager.reset();
    // The device is made on the window: it goes first.
    m_Viewport.reset();
    m_Window.reset();
}

void TarnApplication::DoInit(const std::string& renderName)
{
    TARN_TRY
    Log(" Init application");
    m_Viewport = SViewportFactory::CreateViewport(renderName);
    m_Viewport->m_RenderDevice->SetLostEvent(boost::shared_ptr<SCore::IEvent>(
        new SCore::SEvent<TarnApplication>(&TarnApplication::DoDeviceLost, this)));
    m_Viewport->m_RenderDevice->SetRestoredEvent(boost::shared_ptr<SCore::IEvent>(
        new SCore::SEvent<TarnApplication>(&TarnApplication::DoDeviceRestored, this)));
    TARN_CATCH("TarnApplication::DoInit()")
}

void TarnApplication::Create(const char* windowName, int width, int height, int bitsPerPixel, bool fullScreen,
                             const std::wstring& textureListPath)
{
    TARN_TRY
    TARN_ASSERT(windowName != 0);
    TARN_ASSERT(0 != m_Viewport.get());
    Log("Starting application");
    m_TextureListPath = textureListPath;

    m_InputMessager.reset(new SInputMessager);
    m_InputMessager->Init(m_Viewport);

    m_Window.reset(new SCore::SWindow(boost::shared_ptr<void>(), windowName));
    Log("\tcreate window(" + std::to_string(width) + "x" + std::to_string(height) + "x" +
        std::to_string(bitsPerPixel) + ")");
    m_Window->Create(width, height, fullScreen ? WS_POPUP : kWindowedStyle);
    HWND window = m_Window->GetHandle();
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);
    ShowCursor(TRUE);

    {
        CriticalSectionLock lock(RenderLock());
        m_Viewport->m_RenderDevice->Create(window, uint32_t(width), uint32_t(height), uint32_t(bitsPerPixel),
                                           fullScreen);
        m_Viewport->m_RenderDevice->DoSetmaterial(SCore::SMaterial());
    }

    m_Viewport->m_Input->CreateInput(fullScreen ? 1 : 0, window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, 0);
    boost::shared_ptr<SCore::SMouse> mouse = m_Viewport->m_Input->GetMouse();
    mouse->SetLimits(SCore::SMouse::AxisX, 0, width);
    mouse->SetLimits(SCore::SMouse::AxisY, 0, height);
    m_Viewport->m_Input->Update();

    DoCreateLoading();
    m_Loading.Set(true);

    SBackgroundWorker loader;
    loader.SetJob(boost::shared_ptr<UI::IUIEvent>(new UI::SUIEvent<TarnApplication>(&TarnApplication::LoadResources, this)));
    loader.SetDoneEvent(boost::shared_ptr<UI::IUIEvent>(new UI::SUIEvent<TarnApplication>(&TarnApplication::OnLoaded, this)));
    loader.Start();
    // The loader uses this object: it is joined on every way out.
    try {
        WaitForLoading(loader);
    } catch (...) {
        loader.Join();
        throw;
    }
    loader.Join();
    if (loader.HasFailed()) throw SCore::TarnCoreException(loader.GetFailureText());

    m_InputMessager->Start();
    SetApplication(this);
    // A quit signal now closes the window (and the game saves); before, it ended the process.
    platform::MarkStartupComplete();
    Log(" Starting complete");
    TARN_CATCH("TarnApplication::Create()")
}

void TarnApplication::WaitForLoading(const SBackgroundWorker& loader)
{
    while (m_Loading.Get() && !loader.HasFailed()) {
        Sleep(100);
        BeginFrame();
        {
            CriticalSectionLock lock(RenderLock());
            DoDrawLoading();
        }
        CriticalSectionLock lock(RenderLock());
        m_Viewport->m_RenderDevice->EndScene();
    }
}

void TarnApplication::LoadResources()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    LoadTextures(m_TextureListPath);
    Init3DObjects();
}

void TarnApplication::OnLoaded()
{
    m_Loading.Set(false);
}

void TarnApplication::LoadTextures(const std::wstring& path)
{
    TARN_TRY
    SCore::SXMLDeserializator reader{std::wstring(path)};
    DoLoadTextures(reader);
    TARN_CATCH("TarnApplication::LoadTextures()")
}

void TarnApplication::DoLoadTextures(SCore::SDeserializator& reader)
{
    TARN_TRY
    Log(" Start loading textures");
    const DWORD start = timeGetTime();
    reader.BeginChild("Textures");
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        reader.BeginChild(i);
        std::string name;
        reader.Deserialize("Name", name);
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->DoCreateTexture(name);
        Log(" loading texture" + name);
        std::string file;
        reader.Deserialize("Path", file);
        const std::vector<char> image = SCore::ReadWholeFileBinary(WidenSigned(file));
        if (image.empty()) throw SCore::TarnCoreException("can't load texture from memory : INVALIDDATA");
        {
            CriticalSectionLock lock(RenderLock());
            texture->SetRenderDevice(m_Viewport->m_RenderDevice);
            if (reader.IsAvialableName("MipLevels")) {
                int mipLevels = 0;
                reader.Deserialize("MipLevels", mipLevels);
                SCore::STextureLoadParams params;
                params.MipLevels = unsigned(mipLevels);
                params.Usage = 0;
                params.Format = D3DFMT_A8R8G8B8;
                params.Pool = D3DPOOL_MANAGED;
                params.Filter = D3DX_FILTER_TRIANGLE;
                params.MipFilter = D3DX_FILTER_TRIANGLE;
                texture->DoLoadFromMemory(image.data(), uint32_t(image.size()), params);
            } else {
                texture->DoLoadFromMemory(image.data(), uint32_t(image.size()));
            }
            texture->m_SecondName = "memory";
        }
        m_Viewport->m_TextureManager->AddTexture(texture);
        reader.EndChild();
        // The count loaded so far, under the render lock the loading screen is drawn with.
        CriticalSectionLock lock(RenderLock());
        DoLoadProgress(i + 1, count);
    }
    reader.EndChild();
    Log(" Loaded" + std::to_string(count) + " textures in " + std::to_string(timeGetTime() - start) +
        " milliseconds.");
    TARN_CATCH("TarnApplication::DoLoadTextures()")
}

void TarnApplication::Init3DObjects()
{
    TARN_TRY
    Log(" Init objects");
    DoInitObjects();
    Log(" Init objects Done");
    TARN_CATCH("TarnApplication::Init3DObjects()")
}

void TarnApplication::DoRun()
{
    TARN_TRY
    try {
        MSG msg;
        while (!DoIsExit()) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) break;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Update();
            DoRender();
        }
    } catch (...) {
        StopInput();
        throw;
    }
    // What follows (stopping the threads, the save) is the way out a quit signal asked for.
    platform::MarkShutdownStarted();
    StopInput();
    TARN_CATCH("TarnApplication::DoRun()")
}

void TarnApplication::Update()
{
    TARN_TRY
    IsLeftButtonDown() ? DoLeftButtonDown() : DoLeftButtonUp();
    IsRightButtonDown() ? DoRightButtonDown() : DoRightButtonUp();
    CriticalSectionLock ui(UI::SUIMutex::Section());
    DoUpdate();
    TARN_CATCH("TarnApplication::Update()")
}

void TarnApplication::DoRender()
{
    TARN_TRY
    BeginFrame();
    {
        CriticalSectionLock ui(UI::SUIMutex::Section());
        DoDraw();
    }
    CriticalSectionLock lock(RenderLock());
    m_Viewport->m_RenderDevice->EndScene();
    TARN_CATCH("TarnApplication::DoRender()")
}

void TarnApplication::BeginFrame()
{
    SCore::SRenderDevice& device = *m_Viewport->m_RenderDevice;
    if (m_ClearFlag) {
        CriticalSectionLock lock(RenderLock());
        device.DoClearScene(m_ClearColor[1], m_ClearColor[2], m_ClearColor[3]);
        device.DoClearScene(1.0f);
    }
    try {
        CriticalSectionLock lock(RenderLock());
        device.DoBeginScene();
    } catch (const SCore::SRenderDeviceResetException&) {
        // Outside the render lock, as the game draws its frame.
        Invalidate3DObjects();
    }
}

void TarnApplication::Invalidate3DObjects()
{
    TARN_TRY
    DoInvalidateObjects();
    TARN_CATCH("TarnApplication::Invalidate3DObjects()")
}

void TarnApplication::StopInput()
{
    Sleep(1000);
    if (m_InputMessager) m_InputMessager->Stop();
}

void TarnApplication::DoKeyDown(uint8_t virtualKey)
{
    if (m_InputMessager && m_InputMessager->GetMessageManager()) m_InputMessager->GetMessageManager()->PushKeyDown(virtualKey);
}

void TarnApplication::DoKeyUp(uint8_t virtualKey)
{
    if (m_InputMessager && m_InputMessager->GetMessageManager()) m_InputMessager->GetMessageManager()->PushKeyUp(virtualKey);
}

void TarnApplication::DoChar(uint8_t character)
{
    if (m_InputMessager && m_InputMessager->GetMessageManager()) m_InputMessager->GetMessageManager()->PushChar(character);
}

} // namespace TarnEngine
