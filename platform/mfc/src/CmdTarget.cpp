#include "afxwin.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, NULL, NULL } };
    static const AFX_MSGMAP map = { NULL, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

bool IsCommandOrNotify(UINT nMessage)
{
    return nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
}

bool IsReflectedCommandOrNotify(UINT nMessage)
{
    return nMessage == WM_REFLECT_BASE + WM_COMMAND || nMessage == WM_REFLECT_BASE + WM_NOTIFY;
}

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT nMapMessage, UINT nCode, UINT nID)
{
    if (entry.nMessage == AFX_REGISTERED_MESSAGE)
        return *entry.pnRegistered == nMapMessage;
    if (IsCommandOrNotify(entry.nMessage))
        return entry.nMessage == nMapMessage && entry.nCode == nCode && nID >= entry.nID && nID <= entry.nLastID;
    if (IsReflectedCommandOrNotify(entry.nMessage))
        return entry.nMessage == nMapMessage && entry.nCode == nCode;
    if (entry.nLastID != 0) // a range of messages, as the colour messages
        return nMapMessage >= entry.nID && nMapMessage <= entry.nLastID;
    return entry.nMessage == nMapMessage;
}

} // namespace

BOOL CCmdTarget::DispatchToMap(UINT nMapMessage, UINT nCode, UINT nID, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult)
{
    LRESULT unused = 0;
    if (pResult == NULL)
        pResult = &unused;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != NULL; ++pEntry) {
            if (Matches(*pEntry, nMapMessage, nCode, nID) && pEntry->pfn(this, message, wParam, lParam, pResult))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return DispatchToMap(WM_COMMAND, (UINT)nCode, nID, WM_COMMAND, wParam, lParam, pResult);
}
