// Document, frame and views: a single-document template whose frame holds a static splitter,
// pages swapped in its right pane, command routing and closing.
#include <gtest/gtest.h>

#include "afxext.h"
#include "resource.h"

namespace {

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    BOOL m_allowClose = TRUE;
    int m_saveAsked = 0;
    int m_docCommands = 0;
    BOOL OnNewDocument() override
    {
        if (!CDocument::OnNewDocument())
            return FALSE;
        SetTitle("文档");
        return TRUE;
    }
    BOOL SaveModified() override
    {
        ++m_saveAsked;
        return !IsModified() || m_allowClose;
    }

protected:
    afx_msg void OnDocCommand() { ++m_docCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(501, OnDocCommand)
END_MESSAGE_MAP()

class CPageView : public CView {
    DECLARE_DYNCREATE(CPageView)
public:
    int m_initialUpdates = 0;
    int m_viewCommands = 0;
    void OnInitialUpdate() override { ++m_initialUpdates; }

protected:
    afx_msg void OnViewCommand() { ++m_viewCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPageView, CView)
BEGIN_MESSAGE_MAP(CPageView, CView)
    ON_COMMAND(500, OnViewCommand)
END_MESSAGE_MAP()

class COtherPage : public CPageView {
    DECLARE_DYNCREATE(COtherPage)
};
IMPLEMENT_DYNCREATE(COtherPage, CPageView)

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CSplitterWnd m_splitter;
    CStatusBar m_status;
    int m_frameCommands = 0;

    // The right pane swapped for a view of another class, as a navigation command does.
    void ShowPage(CRuntimeClass* pClass)
    {
        m_splitter.DeleteView(0, 1);
        m_splitter.CreateView(0, 1, pClass, CSize(90, 0), NULL);
        m_splitter.RecalcLayout();
    }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 1, 2) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(CPageView), CSize(100, 0), pContext) &&
               m_splitter.CreateView(0, 1, RUNTIME_CLASS(COtherPage), CSize(90, 0), pContext);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        static const UINT indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS };
        if (!m_status.Create(this) || !m_status.SetIndicators(indicators, 2))
            return -1;
        RecalcLayout();
        return 0;
    }
    afx_msg void OnFrameCommand() { ++m_frameCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(500, OnFrameCommand)
    ON_COMMAND(501, OnFrameCommand)
    ON_COMMAND(502, OnFrameCommand)
END_MESSAGE_MAP()

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_template = new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                            RUNTIME_CLASS(CPageView));
        m_doc = static_cast<CTestDoc*>(m_template->OpenDocumentFile(NULL));
        ASSERT_NE(nullptr, m_doc);
        POSITION pos = m_doc->GetFirstViewPosition();
        m_frame = static_cast<CTestFrame*>(m_doc->GetNextView(pos)->GetParentFrame());
        ASSERT_NE(nullptr, m_frame);
        m_hFrame = m_frame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        delete m_template;
    }
    CPageView* Pane(int col) { return static_cast<CPageView*>(m_frame->m_splitter.GetPane(0, col)); }

    CSingleDocTemplate* m_template = nullptr;
    CTestDoc* m_doc = nullptr;
    CTestFrame* m_frame = nullptr;
    HWND m_hFrame = NULL;
};

TEST_F(DocViewTest, TheFirstDocumentGetsAFrameWithBothPanesUpdatedOnce)
{
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_STREQ("文档 - 测试", title);
    EXPECT_EQ(1, Pane(0)->m_initialUpdates);
    EXPECT_EQ(1, Pane(1)->m_initialUpdates);
    EXPECT_EQ(m_doc, Pane(1)->GetDocument());
    EXPECT_EQ(Pane(0), m_frame->GetActiveView());

    m_frame->MoveWindow(0, 0, 600, 400);
    CRect rcLeft, rcStatus, rcClient;
    Pane(0)->GetWindowRect(&rcLeft);
    m_frame->m_status.GetWindowRect(&rcStatus);
    m_frame->GetClientRect(&rcClient);
    EXPECT_EQ(100, rcLeft.Width());
    EXPECT_EQ(rcClient.Height() - rcStatus.Height(), rcLeft.Height());
}

TEST_F(DocViewTest, ASwappedPageTakesTheDocumentOfTheActivePaneAndItsFirstUpdate)
{
    CWnd* pOld = Pane(1);
    HWND hOld = pOld->m_hWnd;
    m_frame->ShowPage(RUNTIME_CLASS(CPageView));
    EXPECT_FALSE(::IsWindow(hOld));
    CPageView* pNew = Pane(1);
    ASSERT_NE(nullptr, pNew);
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CPageView)));
    EXPECT_FALSE(pNew->IsKindOf(RUNTIME_CLASS(COtherPage)));
    EXPECT_EQ(m_doc, pNew->GetDocument());
    EXPECT_EQ(1, pNew->m_initialUpdates);

    // The active page going makes the other pane active.
    m_frame->SetActiveView(pNew);
    m_frame->ShowPage(RUNTIME_CLASS(COtherPage));
    EXPECT_EQ(Pane(0), m_frame->GetActiveView());
    EXPECT_EQ(m_doc, Pane(1)->GetDocument());
}

TEST_F(DocViewTest, CommandsGoToTheActiveViewThenTheDocumentThenTheFrame)
{
    m_frame->SendMessage(WM_COMMAND, 500);
    m_frame->SendMessage(WM_COMMAND, 501);
    m_frame->SendMessage(WM_COMMAND, 502);
    EXPECT_EQ(1, Pane(0)->m_viewCommands);
    EXPECT_EQ(1, m_doc->m_docCommands);
    EXPECT_EQ(1, m_frame->m_frameCommands);
}

TEST_F(DocViewTest, ClosingAsksTheDocumentWhichMayKeepTheFrameOpen)
{
    m_doc->SetModifiedFlag(TRUE);
    m_doc->m_allowClose = FALSE;
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(m_hFrame));
    EXPECT_EQ(1, m_doc->m_saveAsked);
    m_doc->m_allowClose = TRUE;
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(m_hFrame));
}

TEST_F(DocViewTest, TheStatusBarCarriesTheMessageText)
{
    m_frame->SetMessageText("短信模块就绪");
    EXPECT_STREQ("短信模块就绪", m_frame->m_status.GetPaneText(0));
    // The control counts characters, not the bytes of the double-byte ones: the whole text comes
    // back, and no more is written than the buffer holds.
    const char kLong[] = "打开串口[COM99]失败! 请检查串口线和SIM卡!";
    m_frame->m_status.SetPaneText(0, kLong);
    CString text = m_frame->m_status.GetPaneText(0);
    EXPECT_EQ((int)strlen(kLong), text.GetLength());
    EXPECT_STREQ(kLong, text);
}

} // namespace
