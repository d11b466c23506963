#include "engine/core/base/SLoger.h"

#include "engine/core/base/SOutputDeviceNull.h"

#include <cstdio>

namespace SCore {

SLoger::SLoger() : m_Device(new SOutputDeviceNull())
{
    InitializeCriticalSection(&m_Lock);
}

SLoger::~SLoger()
{
    m_Device.reset();
    DeleteCriticalSection(&m_Lock);
}

SLoger& SLoger::operator<<(const std::string& text)
{
    CriticalSectionLock lock(m_Lock);
    m_Device->Write(text);
    return *this;
}

SLoger& SLoger::operator<<(const char* text)
{
    CriticalSectionLock lock(m_Lock);
    m_Device->WriteBytes(text);
    return *this;
}

SLoger& SLoger::operator<<(unsigned int number)
{
    CriticalSectionLock lock(m_Lock);
    m_Device->WriteBytes(std::to_string(number).c_str());
    return *this;
}

void SLoger::SetDevice(const boost::shared_ptr<SOutputDevice>& device)
{
    boost::shared_ptr<SOutputDevice> old; // released after the lock: closing a file may block
    CriticalSectionLock lock(m_Lock);
    old = m_Device;
    m_Device = device ? device : boost::shared_ptr<SOutputDevice>(new SOutputDeviceNull());
}

boost::shared_ptr<SOutputDevice> SLoger::GetDevice()
{
    CriticalSectionLock lock(m_Lock);
    return m_Device;
}

void SLoger::Shutdown()
{
    SetDevice(boost::shared_ptr<SOutputDevice>());
}

SLoger& GlobalLoger()
{
    // Deliberately leaked: late log lines from other threads at exit must find a live logger.
    static SLoger* loger = new SLoger();
    return *loger;
}

std::string GetCurrentDateTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%2d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    std::snprintf(time, sizeof time, "%2d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    return std::string(date) + " " + time;
}

} // namespace SCore
