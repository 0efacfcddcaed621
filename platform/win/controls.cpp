#include "platform/win/controls.h"

#include "platform/win/internal/native_window.h"

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kStaticClassName, text, style, rect, parent, id);
}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kTrackbarClassName, nullptr, style, rect, parent, id);
}

int CSliderCtrl::GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }

void CSliderCtrl::SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    // Two messages, so that ranges beyond 16 bits survive.
    SetRangeMin(minimum, FALSE);
    SetRangeMax(maximum, redraw);
}

void CSliderCtrl::SetRangeMin(int minimum, BOOL redraw) { SendMessage(TBM_SETRANGEMIN, redraw, minimum); }

void CSliderCtrl::SetRangeMax(int maximum, BOOL redraw) { SendMessage(TBM_SETRANGEMAX, redraw, maximum); }

int CSliderCtrl::GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }

int CSliderCtrl::GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }

void CSliderCtrl::GetRange(int& minimum, int& maximum) const
{
    minimum = GetRangeMin();
    maximum = GetRangeMax();
}

int CSliderCtrl::SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }

int CSliderCtrl::GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }

int CSliderCtrl::SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }

int CSliderCtrl::GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }

void CSliderCtrl::SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kTreeViewClassName, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, HTREEITEM parent, HTREEITEM insertAfter)
{
    std::wstring copy = text ? text : L"";
    TVINSERTSTRUCTW insert;
    insert.hParent = parent;
    insert.hInsertAfter = insertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = copy.data();
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMW fields;
    fields.mask = TVIF_HANDLE | TVIF_PARAM;
    fields.hItem = item;
    fields.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&fields)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMW fields;
    fields.mask = TVIF_HANDLE | TVIF_PARAM;
    fields.hItem = item;
    SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields));
    return static_cast<DWORD_PTR>(fields.lParam);
}

std::wstring CTreeCtrl::GetItemText(HTREEITEM item) const
{
    constexpr int kMaxText = 1024;
    std::wstring text(kMaxText, L'\0');
    TVITEMW fields;
    fields.mask = TVIF_HANDLE | TVIF_TEXT;
    fields.hItem = item;
    fields.pszText = text.data();
    fields.cchTextMax = kMaxText;
    if (!SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&fields))) {
        return {};
    }
    text.resize(text.find(L'\0'));
    return text;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

BOOL CTreeCtrl::Select(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
