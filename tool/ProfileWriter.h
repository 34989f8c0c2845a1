// Writing a private-profile file whole. The keys go into a copy of the file beside it, and the
// copy takes the file's place only once every key has reached it: a write that fails (a full
// disk, a file that is a folder or may not be written) leaves the file as it was. Keys the
// writer does not touch keep what the file held.
#pragma once

#include "afx.h"

class CProfileWriter {
public:
    // Without a path nothing is written, and the writing counts as done.
    explicit CProfileWriter(const CString& strPath);
    ~CProfileWriter();

    void WriteString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue);
    void WriteInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue);
    // Puts the copy in the file's place. FALSE, with the file as it was, when a write or the
    // replacement failed.
    BOOL Commit();

private:
    CProfileWriter(const CProfileWriter&) = delete;
    CProfileWriter& operator=(const CProfileWriter&) = delete;
    void MakeCopy();
    void DropCopy();

    CString m_strPath;
    CString m_strCopy;
    BOOL m_bFailed;
};
