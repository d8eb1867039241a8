// OLE data transfer: data sources on the clipboard and in drags, data objects reading them,
// drop targets fed by OLE, and the global-memory file that builds the blocks.
#include "framework/win/COleDataObject.h"
#include "framework/win/COleDataSource.h"
#include "framework/win/COleDropSource.h"
#include "framework/win/COleDropTarget.h"
#include "framework/win/CSharedFile.h"
#include "framework/win/CWnd.h"
#include "framework/win/GlobalMemory.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

HGLOBAL TextBlock(const char* text)
{
    const SIZE_T n = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(::GlobalLock(h), text, n);
    ::GlobalUnlock(h);
    return h;
}

std::string BlockText(HGLOBAL h)
{
    CGlobalLock lock(h);
    if (!lock.Data())
        return "<none>";
    const char* p = static_cast<const char*>(lock.Data());
    return std::string(p, strnlen(p, lock.Size()));
}

// A source that reports its end, to see who holds it.
class CTracedSource : public COleDataSource {
public:
    explicit CTracedSource(bool* pGone) : m_pGone(pGone) { *pGone = false; }

protected:
    ~CTracedSource() override { *m_pGone = true; }

private:
    bool* m_pGone;
};

std::string SystemClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return "<closed>";
    std::string text = "<none>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT))
        text = BlockText(h);
    ::CloseClipboard();
    return text;
}

class Ole : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
};

TEST_F(Ole, DataSourceAnswersItsFormatsAndGivesCopies)
{
    bool gone = false;
    auto* pSource = new CTracedSource(&gone);
    pSource->CacheGlobalData(CF_TEXT, TextBlock("a\tb"));
    IDataObject* pData = pSource->GetDataObject();

    struct Case {
        CLIPFORMAT format;
        DWORD tymed;
        HRESULT expected;
    };
    const Case cases[] = {
        {CF_TEXT, TYMED_HGLOBAL, S_OK},
        {CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM, S_OK},
        {CF_TEXT, TYMED_ISTREAM, DV_E_TYMED},
        {CF_BITMAP, TYMED_GDI, DV_E_FORMATETC},
    };
    for (const Case& c : cases) {
        FORMATETC format = {c.format, nullptr, DVASPECT_CONTENT, -1, c.tymed};
        EXPECT_EQ(pData->QueryGetData(&format), c.expected) << c.format << " " << c.tymed;
    }

    FORMATETC text = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM first{};
    ASSERT_EQ(pData->GetData(&text, &first), S_OK);
    std::memset(::GlobalLock(first.hGlobal), 'x', 3); // the reader spoils its copy
    ::GlobalUnlock(first.hGlobal);
    ::ReleaseStgMedium(&first);
    STGMEDIUM second{};
    ASSERT_EQ(pData->GetData(&text, &second), S_OK);
    EXPECT_EQ(BlockText(second.hGlobal), "a\tb") << "each reader gets its own copy";
    ::ReleaseStgMedium(&second);

    IEnumFORMATETC* pEnum = nullptr;
    ASSERT_EQ(pData->EnumFormatEtc(DATADIR_GET, &pEnum), S_OK);
    FORMATETC listed[4]{};
    ULONG nListed = 0;
    pEnum->Next(4, listed, &nListed);
    pEnum->Release();
    ASSERT_EQ(nListed, 1u);
    EXPECT_EQ(listed[0].cfFormat, CF_TEXT);
    EXPECT_EQ(pData->EnumFormatEtc(DATADIR_SET, &pEnum), E_NOTIMPL);

    EXPECT_FALSE(gone);
    pSource->InternalRelease();
    EXPECT_TRUE(gone);
}

TEST_F(Ole, ClipboardTextIsReadByDataObjectsAndOtherProgramsAndSurvivesTheFlush)
{
    bool gone = false;
    auto* pSource = new CTracedSource(&gone);
    pSource->CacheGlobalData(CF_TEXT, TextBlock("1\t2\n3\t4"));
    pSource->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), pSource);
    EXPECT_FALSE(gone) << "the clipboard holds the source";

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    HGLOBAL hText = data.GetGlobalData(CF_TEXT);
    EXPECT_EQ(BlockText(hText), "1\t2\n3\t4");
    ::GlobalFree(hText);
    data.Release();
    EXPECT_EQ(SystemClipboardText(), "1\t2\n3\t4");

    COleDataSource::FlushClipboard();
    EXPECT_TRUE(gone) << "flushing releases the source";
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    EXPECT_EQ(SystemClipboardText(), "1\t2\n3\t4") << "the text stays after the flush";
    ASSERT_TRUE(data.AttachClipboard());
    hText = data.GetGlobalData(CF_TEXT);
    EXPECT_EQ(BlockText(hText), "1\t2\n3\t4");
    ::GlobalFree(hText);
}

TEST_F(Ole, TextPutThereByAnotherProgramIsReadAndNotOwned)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_TEXT, TextBlock("foreign"));
    ::CloseClipboard();

    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    COleDataSource::FlushClipboard(); // not ours: nothing happens
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    ASSERT_TRUE(data.IsDataAvailable(CF_TEXT));
    HGLOBAL hText = data.GetGlobalData(CF_TEXT);
    EXPECT_EQ(BlockText(hText), "foreign");
    ::GlobalFree(hText);
}

TEST_F(Ole, SharedFileGrowsInStepsAndDetachesTheWrittenBytes)
{
    CSharedFile file(GMEM_MOVEABLE, 16);
    EXPECT_EQ(file.Detach(), nullptr) << "nothing written, no block";
    const std::string line = "0123456789";
    for (int i = 0; i < 5; ++i)
        file.Write(line.data(), UINT(line.size()));
    EXPECT_EQ(file.GetLength(), 50u);
    file.Seek(-5, CFile::end);
    char tail[8] = {};
    EXPECT_EQ(file.Read(tail, 8), 5u);
    EXPECT_STREQ(tail, "56789");
    file.Write("", 1);
    HGLOBAL h = file.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(::GlobalSize(h), 51u) << "the block is shrunk to what was written";
    EXPECT_EQ(BlockText(h), line + line + line + line + line);
    EXPECT_EQ(file.GetLength(), 0u);

    CSharedFile fixed;
    fixed.SetHandle(h, FALSE);
    EXPECT_EQ(fixed.GetLength(), 51u);
    fixed.SeekToEnd();
    EXPECT_THROW(fixed.Write("x", 1), CMemoryException) << "a fixed block does not grow";
    fixed.SetLength(3);
    fixed.SeekToBegin();
    char head[4] = {};
    EXPECT_EQ(fixed.Read(head, 4), 3u);
    EXPECT_STREQ(head, "012");
}

TEST_F(Ole, DropSourceDropsOnButtonUpAndCancelsOnEscape)
{
    COleDropSource source;
    IDropSource* p = source.GetDropSource();
    EXPECT_EQ(p->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(p->QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL), S_OK);
    EXPECT_EQ(p->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(p->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(p->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

// A target that records its calls and answers as told.
class CRecordingTarget : public COleDropTarget {
public:
    std::vector<std::string> calls;
    std::vector<CPoint> points;
    DROPEFFECT scrollAnswer = DROPEFFECT_NONE;
    DROPEFFECT overAnswer = DROPEFFECT_MOVE;
    DROPEFFECT dropExAnswer = DROPEFFECT(-1);
    BOOL dropAnswer = TRUE;
    std::string droppedText;

    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint point) override
    {
        calls.push_back("scroll");
        points.push_back(point);
        return scrollAnswer;
    }
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pData, DWORD, CPoint) override
    {
        calls.push_back(pData->IsDataAvailable(CF_TEXT) ? "enter text" : "enter");
        return overAnswer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD dwKeyState, CPoint) override
    {
        calls.push_back("over");
        return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : overAnswer;
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, CPoint) override
    {
        calls.push_back("dropex");
        return dropExAnswer;
    }
    BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT, CPoint) override
    {
        calls.push_back("drop");
        HGLOBAL h = pData->GetGlobalData(CF_TEXT);
        droppedText = BlockText(h);
        ::GlobalFree(h);
        return dropAnswer;
    }
};

class CTargetWindow : public CWnd {
public:
    CTargetWindow()
    {
        // Topmost and out of the way of other test programs' windows on the shared desktop.
        CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, AfxRegisterWndClass(0), "target",
                 WS_POPUP | WS_VISIBLE, 760, 560, 200, 150, nullptr, nullptr);
    }
};

TEST_F(Ole, DropTargetAsksScrollFirstAndDeliversClientPoints)
{
    CTargetWindow wnd;
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    EXPECT_FALSE(target.Register(&wnd)) << "one window per target";

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, TextBlock("dropped"));
    IDropTarget* p = target.GetDropTarget();
    POINT origin = {0, 0};
    ::ClientToScreen(wnd, &origin);
    const POINTL at = {origin.x + 10, origin.y + 20};

    // A scroll answer ends the entry there.
    target.scrollAnswer = DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, at, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_SCROLL | DROPEFFECT_MOVE);
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.points[0], CPoint(10, 20)) << "the point arrives in client coordinates";
    p->DragLeave();

    // Any other answer goes on to enter and over; the effect stays within what is allowed.
    target.calls.clear();
    target.scrollAnswer = DROPEFFECT_MOVE;
    effect = DROPEFFECT_COPY;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE) << "move answered, only copy allowed";
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragOver(MK_LBUTTON | MK_CONTROL, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);

    // The drop asks over once more with the drop's keys, then OnDropEx, then OnDrop.
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->Drop(pSource->GetDataObject(), 0, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(target.droppedText, "dropped");
    const std::vector<std::string> expected = {"scroll", "enter text", "scroll", "over",
                                               "over",   "dropex",     "drop"};
    EXPECT_EQ(target.calls, expected);

    // OnDropEx may narrow the effect; a refused OnDrop answers none.
    target.dropExAnswer = DROPEFFECT_COPY;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    p->Drop(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    target.dropExAnswer = DROPEFFECT(-1);
    target.dropAnswer = FALSE;
    effect = DROPEFFECT_MOVE;
    p->DragEnter(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    p->Drop(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    // An effect of none at the drop is a leave.
    target.calls.clear();
    target.overAnswer = DROPEFFECT_NONE;
    effect = DROPEFFECT_MOVE;
    p->Drop(pSource->GetDataObject(), MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(target.calls.back(), "leave");

    target.Revoke();
    EXPECT_EQ(target.GetRegisteredWindow(), nullptr);
    pSource->InternalRelease();
}

// Under Wine the drag loop drops at once when the button is already up: the drop lands under
// the cursor with the keys of the keyboard state.
TEST_F(Ole, RealDragLoopDropsOnTheWindowUnderTheCursor)
{
    CTargetWindow wnd;
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    POINT point = {50, 40};
    ::ClientToScreen(wnd, &point);
    ::SetCursorPos(point.x, point.y);
    AfxPumpPendingMessages();

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, TextBlock("dragged"));
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    pSource->InternalRelease();
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(target.droppedText, "dragged");
    ASSERT_FALSE(target.points.empty());
    EXPECT_EQ(target.points.front(), CPoint(50, 40));
}

} // namespace
