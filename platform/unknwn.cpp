#include "platform/unknwn.h"

ULONG IUnknown::AddRef() { return ++m_Refs; }

ULONG IUnknown::Release()
{
    ULONG left = --m_Refs;
    if (left == 0) delete this;
    return left;
}
