#include "engine/framework/input/SInputMessager.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/input/SUIMutex.h"

namespace TarnEngine {

static const char* const kTarnSource = "Src\\SInputMessager";

SInputMessager::~SInputMessager()
{
    Stop();
    Join();
    m_MessageManager.reset();
    m_Input.reset();
}

void SInputMessager::Init(const boost::shared_ptr<SCore::SViewport>& viewport)
{
    TARN_TRY
    TARN_ASSERT(0 != viewport.get());
    m_Input = viewport->m_Input;
    m_MessageManager.reset(new UI::SUIMessageManager(m_Input));
    TARN_CATCH("SInputMessager::Init()")
}

void SInputMessager::AddReceiver(const boost::shared_ptr<UI::SUIControl>& receiver)
{
    m_MessageManager->AddReceiver(receiver);
}

void SInputMessager::Run()
{
    m_Running.store(1, std::memory_order_release);
    try {
        while (m_Stop.load(std::memory_order_acquire) == 0) {
            {
                CriticalSectionLock ui(UI::SUIMutex::Section());
                m_MessageManager->Process();
            }
            Sleep(50);
        }
    } catch (...) {
        // Only the input system's own failure gets here: handlers' exceptions stay in the pass.
        gLoger << SCore::GetCurrentDateTime() << "exception in SInputMessager\n";
    }
    m_Running.store(0, std::memory_order_release);
}

} // namespace TarnEngine
