#include "ui/OwnerDrawMenu.h"

#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"
#include "framework/win/ToolBarImages.h"
#include "ui/MenuTemplate.h"
#include "ui/SystemFonts.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_set>

IMPLEMENT_DYNCREATE(COwnerDrawMenu, CMenu)

namespace {

// The image strips of the tool bars menus take images from: one image list per strip (and
// transparent colour), shared by every item showing one of its images, gone with the last.
struct Strip {
    std::unique_ptr<CImageList> pList;
    std::vector<UINT> commands; // the command of each image, in strip order
    int nRefs = 0;
};
using StripKey = std::pair<int, COLORREF>; // resource, transparent colour (CLR_DEFAULT: face)

std::map<StripKey, Strip>& Strips()
{
    static auto& strips = *new std::map<StripKey, Strip>; // items may outlive static objects
    return strips;
}

BOOL LoadStripImages(const StripKey& key, Strip& strip)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    ToolBarResource res;
    if (!AfxLoadToolBarResource(hInst, MAKEINTRESOURCEA(key.first), res))
        return FALSE;
    HRSRC hRsrc = ::FindResourceA(hInst, MAKEINTRESOURCEA(key.first), MAKEINTRESOURCEA(2));
    CBitmap bitmap;
    if (!bitmap.Attach(AfxLoadSysColorBitmap(hInst, hRsrc)))
        return FALSE;
    auto pList = std::make_unique<CImageList>();
    if (!pList->Create(res.imageWidth, res.imageHeight, ILC_COLORDDB | ILC_MASK, 1, 1))
        return FALSE;
    pList->Add(&bitmap, key.second == CLR_DEFAULT ? ::GetSysColor(COLOR_BTNFACE) : key.second);
    strip.pList = std::move(pList);
    strip.commands.clear();
    for (UINT id : res.ids)
        if (id != 0)
            strip.commands.push_back(id);
    return TRUE;
}

Strip* AcquireStrip(const StripKey& key)
{
    auto found = Strips().find(key);
    if (found == Strips().end()) {
        Strip strip;
        if (!LoadStripImages(key, strip))
            return nullptr;
        found = Strips().emplace(key, std::move(strip)).first;
    }
    ++found->second.nRefs;
    return &found->second;
}

void ReleaseStrip(const StripKey& key)
{
    auto found = Strips().find(key);
    if (found != Strips().end() && --found->second.nRefs <= 0)
        Strips().erase(found);
}

std::unordered_set<const CMenuItemData*>& LiveRecords()
{
    static auto& records = *new std::unordered_set<const CMenuItemData*>;
    return records;
}

int g_nMenuStyle = -1;

std::wstring Widen(LPCTSTR lpszText)
{
    if (!lpszText || !*lpszText)
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, nullptr, 0);
    std::wstring text(std::size_t(std::max(n, 1)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, text.data(), n);
    text.resize(std::size_t(std::max(n - 1, 0)));
    return text;
}

StripKey KeyOf(const COwnerDrawMenu* pMenu, int nResource)
{
    return {nResource, pMenu && pMenu->m_bUseMask ? pMenu->m_crMask : CLR_DEFAULT};
}

} // namespace

// ---- records ---------------------------------------------------------------------------------

CMenuItemData::CMenuItemData(COwnerDrawMenu* pOwner, std::wstring text, UINT nFlags, UINT_PTR nID)
    : m_strText(std::move(text)), m_nFlags(nFlags | MF_OWNERDRAW), m_nID(nID), m_pOwner(pOwner)
{
    LiveRecords().insert(this);
}

CMenuItemData::~CMenuItemData()
{
    SetImage(-1, -1);
    LiveRecords().erase(this);
}

CMenuItemData* CMenuItemData::FromItemData(ULONG_PTR itemData)
{
    auto* pRecord = reinterpret_cast<CMenuItemData*>(itemData);
    return LiveRecords().count(pRecord) ? pRecord : nullptr;
}

int CMenuItemData::GetLiveCount() { return int(LiveRecords().size()); }

CString CMenuItemData::ToAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return CString();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    CString text;
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.GetBufferSetLength(n - 1), n, nullptr,
                          nullptr);
    text.ReleaseBuffer();
    return text;
}

void CMenuItemData::SetAnsiText(LPCTSTR lpszText) { m_strText = Widen(lpszText); }

void CMenuItemData::SetImage(int nResource, int nImage)
{
    if (m_nImageResource >= 0)
        ReleaseStrip(KeyOf(m_pOwner, m_nImageResource));
    m_nImageResource = m_nImageIndex = -1;
    if (nResource < 0 || nImage < 0 || !AcquireStrip(KeyOf(m_pOwner, nResource)))
        return;
    m_nImageResource = nResource;
    m_nImageIndex = nImage;
}

CImageList* CMenuItemData::GetImageList() const
{
    if (m_nImageResource < 0)
        return nullptr;
    auto found = Strips().find(KeyOf(m_pOwner, m_nImageResource));
    return found == Strips().end() ? nullptr : found->second.pList.get();
}

// ---- the menu --------------------------------------------------------------------------------

COwnerDrawMenu::COwnerDrawMenu() { GetMenuStyle(); }

COwnerDrawMenu::~COwnerDrawMenu() { DestroyMenu(); }

int COwnerDrawMenu::GetMenuStyle()
{
    if (g_nMenuStyle < 0) {
        const DWORD dwVersion = ::GetVersion();
        const BOOL bWin9x = (dwVersion & 0x80000000) != 0;
        const int nMajor = LOBYTE(LOWORD(dwVersion));
        g_nMenuStyle = bWin9x ? (nMajor < 4 ? 0 : 1) : (nMajor < 4 ? 2 : 3);
    }
    return g_nMenuStyle;
}

void COwnerDrawMenu::SetMenuStyle(int nStyle) { g_nMenuStyle = nStyle; }

CMenuItemData* COwnerDrawMenu::AddRecord(std::wstring text, UINT nFlags, UINT_PTR nID)
{
    auto* pRecord = new CMenuItemData(this, std::move(text), nFlags, nID);
    m_records.push_back(pRecord);
    return pRecord;
}

COwnerDrawMenu* COwnerDrawMenu::NewSubMenu()
{
    auto* pSub = new COwnerDrawMenu;
    pSub->m_sizeImage = m_sizeImage;
    pSub->m_crMask = m_crMask;
    pSub->m_bUseMask = m_bUseMask;
    m_subMenus.push_back(pSub);
    return pSub;
}

void COwnerDrawMenu::DeleteRecords()
{
    for (CMenuItemData* pRecord : m_records)
        delete pRecord;
    m_records.clear();
}

BOOL COwnerDrawMenu::DestroyMenu()
{
    // The pop-ups go with the top menu's handle; their objects only let go of theirs.
    for (auto it = m_subMenus.rbegin(); it != m_subMenus.rend(); ++it) {
        (*it)->Detach();
        delete *it;
    }
    m_subMenus.clear();
    DeleteRecords();
    return CMenu::DestroyMenu();
}

namespace {

void BuildLevel(COwnerDrawMenu* pLevel, const std::vector<MenuTemplateItem>& items,
                const std::function<COwnerDrawMenu*(COwnerDrawMenu*)>& newSub)
{
    constexpr UINT kStateFlags =
        MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP;
    for (const MenuTemplateItem& item : items) {
        const std::wstring text(item.text.begin(), item.text.end());
        if (item.IsPopup()) {
            COwnerDrawMenu* pSub = newSub(pLevel);
            pSub->CreatePopupMenu();
            pLevel->AppendImageItem(text.c_str(), (item.flags & kStateFlags) | MF_POPUP,
                                    UINT_PTR(pSub->m_hMenu));
            BuildLevel(pSub, item.children, newSub);
        } else if (item.IsSeparator()) {
            pLevel->AppendImageItem(L"", MF_SEPARATOR, 0);
        } else {
            pLevel->AppendImageItem(text.c_str(), item.flags & kStateFlags, item.id);
        }
    }
}

} // namespace

BOOL COwnerDrawMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    DestroyMenu();
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(4)); // RT_MENU
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    const void* pData = hGlobal ? ::LockResource(hGlobal) : nullptr;
    std::vector<MenuTemplateItem> items;
    if (!pData || !ParseMenuTemplate(pData, ::SizeofResource(hInst, hRsrc), items) || !CreateMenu())
        return FALSE;
    BuildLevel(this, items, [](COwnerDrawMenu* pParent) { return pParent->NewSubMenu(); });
    for (COwnerDrawMenu* pSub : m_subMenus)
        pSub->AlignAccelerators();
    // A menu bar draws the top level itself: plain text items there.
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        CMenuItemData* pRecord = m_records[i];
        CString text = pRecord->GetAnsiText();
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
        info.fType = MFT_STRING;
        info.dwTypeData = text.GetBuffer();
        ::SetMenuItemInfoA(m_hMenu, UINT(i), TRUE, &info);
        pRecord->m_nFlags = MF_BYPOSITION | (pRecord->m_nFlags & MF_POPUP);
    }
    return TRUE;
}

void COwnerDrawMenu::AlignAccelerators()
{
    std::vector<std::u16string> texts;
    for (const CMenuItemData* pRecord : m_records)
        texts.emplace_back(pRecord->m_strText.begin(), pRecord->m_strText.end());
    CFont font;
    CreateSystemFont(font, SystemFont::Menu);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, font.m_hObject);
    AlignAcceleratorTexts(texts, [hDC](const std::u16string& text) {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(hDC, reinterpret_cast<LPCWSTR>(text.c_str()), int(text.size()),
                                &size);
        return int(size.cx);
    });
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    for (std::size_t i = 0; i < m_records.size(); ++i)
        m_records[i]->m_strText.assign(texts[i].begin(), texts[i].end());
    for (COwnerDrawMenu* pSub : m_subMenus)
        pSub->AlignAccelerators();
}

BOOL COwnerDrawMenu::AppendImageItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID,
                                     int nImageResource)
{
    if (!m_hMenu)
        return FALSE;
    nFlags |= MF_OWNERDRAW;
    CMenuItemData* pRecord = AddRecord(lpszText ? lpszText : L"", nFlags, nID);
    if (!::AppendMenuA(m_hMenu, nFlags, nID, reinterpret_cast<LPCSTR>(pRecord))) {
        m_records.pop_back();
        delete pRecord;
        return FALSE;
    }
    if (nImageResource >= 0 && !(nFlags & (MF_POPUP | MF_SEPARATOR)))
        SetCommandImage(nullptr, UINT(nID), nImageResource);
    return TRUE;
}

BOOL COwnerDrawMenu::AppendImageItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID,
                                     int nImageResource)
{
    return AppendImageItem(Widen(lpszText).c_str(), nFlags, nID, nImageResource);
}

int COwnerDrawMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    const CMenuItemData* pRecord =
        ::GetMenuItemInfoA(LiveHmenu(), nIDItem, (nFlags & MF_BYPOSITION) != 0, &info) &&
                (info.fType & MFT_OWNERDRAW)
            ? CMenuItemData::FromItemData(info.dwItemData)
            : nullptr;
    if (!pRecord)
        return CMenu::GetMenuString(nIDItem, rString, nFlags);
    rString = pRecord->GetAnsiText();
    return rString.GetLength();
}

COwnerDrawMenu* COwnerDrawMenu::FindCommandLevel(UINT nID, int& nPos)
{
    const int nCount = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            for (COwnerDrawMenu* pSub : m_subMenus)
                if (pSub->m_hMenu == hSub)
                    if (COwnerDrawMenu* pFound = pSub->FindCommandLevel(nID, nPos))
                        return pFound;
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            nPos = i;
            return this;
        }
    }
    nPos = -1;
    return nullptr;
}

BOOL COwnerDrawMenu::OwnsSubMenu(const CMenu* pMenu) const
{
    return pMenu &&
           std::any_of(m_subMenus.begin(), m_subMenus.end(),
                       [pMenu](const COwnerDrawMenu* p) { return p->m_hMenu == pMenu->m_hMenu; });
}

BOOL COwnerDrawMenu::SetCommandImage(LPCTSTR lpszText, UINT nID, int nImageResource)
{
    // Every item of the command, wherever it is, shows the same image.
    BOOL bFound = FALSE;
    const int nCount = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            for (COwnerDrawMenu* pSub : m_subMenus)
                if (pSub->m_hMenu == hSub)
                    bFound |= pSub->SetCommandImage(lpszText, nID, nImageResource);
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            SetItemImage(i, lpszText, nImageResource);
            bFound = TRUE;
        }
    }
    return bFound;
}

void COwnerDrawMenu::SetItemImage(int nPos, LPCTSTR lpszText, int nImageResource)
{
    const UINT nID = ::GetMenuItemID(m_hMenu, nPos);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoA(m_hMenu, UINT(nPos), TRUE, &info);
    CMenuItemData* pRecord = CMenuItemData::FromItemData(info.dwItemData);
    if (!pRecord || pRecord->m_pOwner != this) {
        CString current;
        GetMenuString(UINT(nPos), current, MF_BYPOSITION);
        pRecord = new CMenuItemData(this, Widen(current), MF_OWNERDRAW, nID);
        const auto at = std::min(std::size_t(nPos), m_records.size());
        m_records.insert(m_records.begin() + std::ptrdiff_t(at), pRecord);
    }
    if (lpszText)
        pRecord->SetAnsiText(lpszText);
    // The command's image on that tool bar; a command without a button there shows none.
    const StripKey key = KeyOf(this, nImageResource);
    const Strip* pStrip = nImageResource >= 0 ? AcquireStrip(key) : nullptr;
    int nImage = -1;
    if (pStrip) {
        auto it = std::find(pStrip->commands.begin(), pStrip->commands.end(), nID);
        if (it != pStrip->commands.end())
            nImage = int(it - pStrip->commands.begin());
    }
    pRecord->SetImage(nImage >= 0 ? nImageResource : -1, nImage);
    if (pStrip)
        ReleaseStrip(key);
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = ULONG_PTR(pRecord);
    ::SetMenuItemInfoA(m_hMenu, UINT(nPos), TRUE, &info);
}

BOOL COwnerDrawMenu::LoadToolBarImages(UINT nIDToolBar)
{
    ToolBarResource res;
    if (!AfxLoadToolBarResource(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDToolBar), res))
        return FALSE;
    for (UINT nID : res.ids)
        if (nID != 0 && m_hMenu && ::GetMenuState(m_hMenu, nID, MF_BYCOMMAND) != UINT(-1))
            SetCommandImage(nullptr, nID, int(nIDToolBar));
    return TRUE;
}

void COwnerDrawMenu::MakePopupOwnerDrawn(CMenu* pPopup)
{
    auto* pLevel = pPopup
                       ? dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(pPopup->m_hMenu))
                       : nullptr;
    if (!pLevel)
        return;
    for (CMenuItemData* pRecord : pLevel->m_records)
        pRecord->m_bSynced = FALSE;
    std::vector<CMenuItemData*> ordered;
    const int nCount = ::GetMenuItemCount(pLevel->m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
        ::GetMenuItemInfoA(pLevel->m_hMenu, UINT(i), TRUE, &info);
        const BOOL bSeparator = (info.fType & MFT_SEPARATOR) != 0;
        const UINT_PTR nID = info.hSubMenu ? UINT_PTR(info.hSubMenu) : bSeparator ? 0 : info.wID;
        const UINT nKind = info.hSubMenu ? MF_POPUP : bSeparator ? MF_SEPARATOR : 0;
        auto found = std::find_if(pLevel->m_records.begin(), pLevel->m_records.end(),
                                  [&](const CMenuItemData* p) {
                                      return !p->m_bSynced && p->m_nID == nID &&
                                             (p->m_nFlags & (MF_POPUP | MF_SEPARATOR)) == nKind;
                                  });
        CString current;
        if (!(info.fType & MFT_OWNERDRAW))
            pLevel->GetMenuString(UINT(i), current, MF_BYPOSITION);
        CMenuItemData* pRecord = nullptr;
        if (found != pLevel->m_records.end()) {
            pRecord = *found;
            if (!current.IsEmpty())
                pRecord->SetAnsiText(current);
        } else {
            pRecord = new CMenuItemData(pLevel, Widen(current), MF_BYPOSITION | nKind, nID);
        }
        pRecord->m_bSynced = TRUE;
        ordered.push_back(pRecord);
        if ((info.fType & MFT_OWNERDRAW) && info.dwItemData == ULONG_PTR(pRecord))
            continue;
        // Only the type and the data change: check marks, radio marks and states stay.
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        info.dwItemData = ULONG_PTR(pRecord);
        ::SetMenuItemInfoA(pLevel->m_hMenu, UINT(i), TRUE, &info);
    }
    for (CMenuItemData* pRecord : pLevel->m_records)
        if (!pRecord->m_bSynced)
            delete pRecord;
    pLevel->m_records = ordered;
}

LRESULT COwnerDrawMenu::FindMnemonicItem(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (!(nFlags & MF_POPUP) || !pMenu)
        return 0;
    auto* pLevel = dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(pMenu->m_hMenu));
    if (!pLevel)
        return 0;
    if (::GetMenuItemCount(pLevel->m_hMenu) != int(pLevel->m_records.size()))
        MakePopupOwnerDrawn(pMenu);
    std::vector<std::u16string> texts;
    for (const CMenuItemData* pRecord : pLevel->m_records)
        texts.emplace_back(pRecord->m_strText.begin(), pRecord->m_strText.end());
    const int nIndex = FindMnemonic(texts, char(nChar));
    return nIndex < 0 ? 0 : MAKELRESULT(nIndex, MNC_EXECUTE);
}

int COwnerDrawMenu::GetStripCount() { return int(Strips().size()); }

void COwnerDrawMenu::OnSysColorChange()
{
    for (auto& [key, strip] : Strips())
        LoadStripImages(key, strip);
}
