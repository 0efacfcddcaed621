// The control objects of the dialog framework, thin wrappers that talk to their control by
// messages.
// Implements: CStatic (creation), CButton (check state), CSliderCtrl (trackbar: range with
// redraw, position, line and page sizes, tick frequency; TBM_ messages), CTreeCtrl (insert
// under a parent or TVI_ROOT at TVI_FIRST/TVI_LAST/after an item, item data and text,
// navigation by TVGN_ codes, selection with TVGN_CARET, expand, delete, count).
// Leaves out: images, owner drawing, tool tips, and every other control class.
#pragma once

#include "platform/win/cwnd.h"

#include <string>

class CStatic : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    using CWnd::Create;
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int GetPos() const;
    void SetPos(int position);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetRangeMin(int minimum, BOOL redraw = FALSE);
    void SetRangeMax(int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void GetRange(int& minimum, int& maximum) const;
    int SetLineSize(int size);
    int GetLineSize() const;
    int SetPageSize(int size);
    int GetPageSize() const;
    void SetTicFreq(int frequency);
};

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    HTREEITEM InsertItem(LPCWSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST);
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    std::wstring GetItemText(HTREEITEM item) const;
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    // TVGN_CARET selects the item (null clears the selection) and notifies TVN_SELCHANGEDW.
    BOOL Select(HTREEITEM item, UINT code);
    BOOL SelectItem(HTREEITEM item);
    BOOL Expand(HTREEITEM item, UINT code);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;
};
