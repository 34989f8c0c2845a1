// Core of the framework layer: basic types, run-time class information, diagnostics,
// strings, files and archives. Thin over Win32; ANSI only.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <tchar.h>
#include <stdarg.h>
#include <stddef.h>

#ifndef afx_msg
#define afx_msg
#endif
#define AFX_CDECL __cdecl
#define AFXAPI __stdcall

typedef struct __POSITION { int unused; }* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

class CArchive;
class CObject;
class CString;

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// ---------------------------------------------------------------------------------------------
// Diagnostics. Traces and failed assertions go to one sink (the debugger by default) so that a
// test can watch them; a failed assertion is reported and execution goes on.

typedef void (*AFX_TRACE_SINK)(LPCSTR text);
AFX_TRACE_SINK AfxSetTraceSink(AFX_TRACE_SINK sink);
void AFX_CDECL AfxTrace(LPCTSTR format, ...) __attribute__((format(gnu_printf, 1, 2)));
void AfxAssertFailedLine(LPCSTR expression, LPCSTR file, int line);

#define TRACE AfxTrace
#define TRACE0(sz) AfxTrace(_T("%s"), _T(sz))
#define TRACE1(sz, p1) AfxTrace(_T(sz), p1)
#define TRACE2(sz, p1, p2) AfxTrace(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) AfxTrace(_T(sz), p1, p2, p3)
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(#f, __FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define UNUSED_ALWAYS(x) (void)(x)
#define DEBUG_NEW new

// ---------------------------------------------------------------------------------------------
// Run-time class information and dynamic creation.

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, RUNTIME_CLASS(base_class_name) }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

#define DYNAMIC_DOWNCAST(class_name, object) \
    ((object) != NULL && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? static_cast<class_name*>(object) : NULL)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() {}
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#include "afxstr.h"

// ---------------------------------------------------------------------------------------------
// Files and text archives.

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040,
        modeNoInherit = 0x0080, modeCreate = 0x1000, modeNoTruncate = 0x2000,
        typeText = 0x4000, typeBinary = (int)0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile();
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, void* pError = NULL);
    virtual void Close();
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    DWORD SeekToEnd() { return (DWORD)Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual DWORD GetLength() const;
    virtual void Flush();
    CString GetFilePath() const { return m_strFileName; }
    BOOL IsOpen() const { return m_hFile != hFileNull; }

    static BOOL Remove(LPCTSTR lpszFileName);
    static BOOL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    HANDLE m_hFile;

protected:
    CString m_strFileName;
};

// A file written in place of another: the bytes go to a new file beside it, which takes the
// other's place only when Commit finds every byte written. Until then, and whenever Commit
// fails, the other file stays as it was; a new file that is not committed is removed.
class CMirrorFile : public CFile {
public:
    ~CMirrorFile() override;
    // Creates the new file beside lpszFileName and opens it for writing.
    BOOL Create(LPCTSTR lpszFileName);
    // Writes the new file through to the disk, closes it and puts it in the other's place.
    BOOL Commit();
    // Closes and removes the new file.
    void Abort();

private:
    CString m_strMirrorName;
};

// A text archive over a file: ReadString hands out lines without their line end, WriteString
// writes the text as it stands.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    CArchive(CFile* pFile, UINT nMode);
    ~CArchive();

    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    void WriteString(LPCTSTR lpsz);
    void Write(const void* lpBuf, UINT nMax);
    UINT Read(void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    // TRUE once the file refused a write (a full disk, a drive gone): nothing after it is
    // written, and the file does not hold what was stored.
    BOOL HasWriteFailed() const { return m_bWriteFailed; }

    void* m_pDocument;

private:
    int FillBuffer();
    CFile* m_pFile;
    UINT m_nMode;
    char m_buffer[4096];
    UINT m_nBufferLength;
    UINT m_nBufferPos;
    BOOL m_bEof;
    BOOL m_bWriteFailed;
};

#include "afxtempl.h"
#include "afxcoll.h"
