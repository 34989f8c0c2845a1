#include "afx.h"

#include <stdio.h>
#include <string.h>

const CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, NULL, NULL };

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL) {
        TRACE("Error: cannot create an object of class %s dynamically\n", m_lpszClassName);
        return NULL;
    }
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------------------------

static void DebuggerSink(LPCSTR text)
{
    OutputDebugStringA(text);
}

static AFX_TRACE_SINK g_traceSink = DebuggerSink;

AFX_TRACE_SINK AfxSetTraceSink(AFX_TRACE_SINK sink)
{
    AFX_TRACE_SINK old = g_traceSink;
    g_traceSink = sink ? sink : DebuggerSink;
    return old;
}

void AFX_CDECL AfxTrace(LPCTSTR format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    g_traceSink(text);
}

void AfxAssertFailedLine(LPCSTR expression, LPCSTR file, int line)
{
    const char* name = strrchr(file, '/');
    AfxTrace("ASSERT failed: %s (%s:%d)\n", expression, name ? name + 1 : file, line);
}
