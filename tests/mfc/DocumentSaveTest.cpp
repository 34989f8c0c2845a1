// Saving a document: its file is replaced only by a whole new content, and a save that fails is
// reported and leaves the document modified.
#include <gtest/gtest.h>

#include "MessageBoxAnswerer.h"
#include "TestSupport.h"
#include "afxwin.h"

#include <string>
#include <vector>

namespace {

// Stores a text of its own, in three parts of the archive's buffer size or less. The disk may be
// full while the second part is written and have room again for the last: the file's handle is
// then one on a device that refuses every write as a full disk does (Wine maps the Unix root to
// drive Z:), and the file would hold the first and the last part with a gap between them.
class CTextDoc : public CDocument {
public:
    std::string m_text;
    bool m_bDiskFull = false;

    void Serialize(CArchive& ar) override
    {
        if (!ar.IsStoring())
            return;
        const UINT nBuffer = 4096; // a full buffer of the archive goes out to the file at once
        ar.Write(m_text.data(), nBuffer);
        CFile* pFile = ar.GetFile();
        HANDLE hFile = pFile->m_hFile;
        if (m_bDiskFull)
            pFile->m_hFile = ::CreateFileA("Z:\\dev\\full", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                           OPEN_EXISTING, 0, NULL);
        ar.Write(m_text.data() + nBuffer, nBuffer);
        if (pFile->m_hFile != hFile) {
            ::CloseHandle(pFile->m_hFile);
            pFile->m_hFile = hFile;
        }
        ar.Write(m_text.data() + 2 * nBuffer, (UINT)m_text.size() - 2 * nBuffer);
    }
};

class DocumentSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = TempPath("mfc-save-" + std::to_string(::GetCurrentProcessId()));
        ::CreateDirectoryA(m_folder.c_str(), NULL);
        m_path = m_folder + "\\list.csv";
        HANDLE h = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD dwWritten = 0;
        ::WriteFile(h, kOld, sizeof kOld - 1, &dwWritten, NULL);
        ::CloseHandle(h);
        for (int i = 0; i < 10000; ++i)
            m_doc.m_text += (char)('a' + i % 26);
        m_doc.SetModifiedFlag(TRUE);
    }
    void TearDown() override
    {
        for (const std::string& name : FolderFiles())
            ::DeleteFileA((m_folder + "\\" + name).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    std::vector<std::string> FolderFiles()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE hFind = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &found))
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        ::FindClose(hFind);
        return names;
    }

    static constexpr char kOld[] = "the list as it was\n";
    std::string m_folder;
    std::string m_path;
    CTextDoc m_doc;
};

TEST_F(DocumentSaveTest, ASaveThatFailsOnAFullDiskLeavesTheOldFileWholeAndTheDocumentModified)
{
    m_doc.m_bDiskFull = true;
    MessageBoxAnswerer answerer(::GetCurrentThreadId());
    EXPECT_FALSE(m_doc.OnSaveDocument(m_path.c_str()));
    answerer.Stop();
    EXPECT_EQ(std::vector<std::string>{ "无法保存文件 " + m_path + "。" }, answerer.m_texts);
    EXPECT_EQ(kOld, ReadFileBytes(m_path));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(std::vector<std::string>{ "list.csv" }, FolderFiles()); // nothing left beside it

    m_doc.m_bDiskFull = false;
    EXPECT_TRUE(m_doc.OnSaveDocument(m_path.c_str()));
    EXPECT_EQ(m_doc.m_text, ReadFileBytes(m_path));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(std::vector<std::string>{ "list.csv" }, FolderFiles());
}

// A file another program holds open is not replaced; the new content does not stay behind.
TEST_F(DocumentSaveTest, AFileHeldOpenIsNotReplaced)
{
    HANDLE hHeld = ::CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    MessageBoxAnswerer answerer(::GetCurrentThreadId());
    EXPECT_FALSE(m_doc.OnSaveDocument(m_path.c_str()));
    answerer.Stop();
    ::CloseHandle(hHeld);
    EXPECT_EQ(1u, answerer.m_texts.size());
    EXPECT_EQ(kOld, ReadFileBytes(m_path));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(std::vector<std::string>{ "list.csv" }, FolderFiles());
}

} // namespace
