// The tree-view class over QTreeWidget: items with a text and an LPARAM, inserted under a parent
// (TVI_ROOT for the top level) first, last or after a sibling; navigation (root, next,
// previous, parent, child, first visible, next visible, caret); selection by TVM_SELECTITEM
// with TVGN_CARET or by the user, either of which sends TVN_SELCHANGEDW through WM_NOTIFY to
// the parent; expanding and collapsing; deletion.
// Left out: images, check boxes, label editing, drag and drop, sorting (TVI_SORT inserts last),
// item states other than selection, custom drawing; of the styles only TVS_LINESATROOT changes
// the look (Qt draws its own lines and buttons).
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <unordered_map>

namespace {

constexpr int kHandleRole = Qt::UserRole + 1;
constexpr int kParamRole = Qt::UserRole + 2;

class TreeViewWindow final : public NativeWindow {
public:
    TreeViewWindow(QTreeWidget* tree, DWORD style) : NativeWindow(tree), m_tree(tree)
    {
        tree->setColumnCount(1);
        tree->header()->hide();
        tree->setRootIsDecorated(style & TVS_LINESATROOT);
        tree->setSelectionMode(QAbstractItemView::SingleSelection);
    }

    void SetHandle(HWND handle) override
    {
        NativeWindow::SetHandle(handle);
        QObject::connect(m_tree, &QTreeWidget::currentItemChanged, m_tree,
                         [handle](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                             if (const WindowRecord* record = WindowTable::Instance().Find(handle)) {
                                 static_cast<TreeViewWindow&>(*record->native).SelectionChanged(current, previous);
                             }
                         });
    }

    LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_tree) {
            return 0;
        }
        switch (message) {
        case TVM_INSERTITEMW:
            return reinterpret_cast<LRESULT>(Insert(reinterpret_cast<const TVINSERTSTRUCTW*>(lParam)));
        case TVM_DELETEITEM:
            return Delete(reinterpret_cast<HTREEITEM>(lParam));
        case TVM_EXPAND:
            return Expand(static_cast<UINT>(wParam), ItemOf(reinterpret_cast<HTREEITEM>(lParam)));
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(m_items.size());
        case TVM_GETNEXTITEM:
            return reinterpret_cast<LRESULT>(
                HandleOf(Next(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam))));
        case TVM_SELECTITEM:
            return Select(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
        case TVM_GETITEMW:
            return GetItem(reinterpret_cast<TVITEMW*>(lParam));
        case TVM_SETITEMW:
            return SetItem(reinterpret_cast<const TVITEMW*>(lParam));
        default:
            return NativeWindow::DefProc(message, wParam, lParam);
        }
    }

private:
    QTreeWidgetItem* ItemOf(HTREEITEM handle) const
    {
        const auto it = m_items.find(handle);
        return it == m_items.end() ? nullptr : it->second;
    }

    static HTREEITEM HandleOf(const QTreeWidgetItem* item)
    {
        return item ? reinterpret_cast<HTREEITEM>(item->data(0, kHandleRole).value<quintptr>()) : nullptr;
    }

    HTREEITEM Insert(const TVINSERTSTRUCTW* insert)
    {
        if (!insert) {
            return nullptr;
        }
        QTreeWidgetItem* parent =
            (!insert->hParent || insert->hParent == TVI_ROOT) ? m_tree->invisibleRootItem() : ItemOf(insert->hParent);
        if (!parent) {
            return nullptr;
        }
        int index = parent->childCount();
        if (insert->hInsertAfter == TVI_FIRST) {
            index = 0;
        } else if (QTreeWidgetItem* after = ItemOf(insert->hInsertAfter);
                   after && after->parent() == ItemParent(parent)) {
            index = parent->indexOfChild(after) + 1;
        }
        auto* item = new QTreeWidgetItem();
        m_nextHandle += 1;
        const auto handle = reinterpret_cast<HTREEITEM>(m_nextHandle);
        item->setData(0, kHandleRole, QVariant::fromValue<quintptr>(m_nextHandle));
        ApplyItem(item, insert->item);
        parent->insertChild(index, item);
        m_items.emplace(handle, item);
        return handle;
    }

    // QTreeWidgetItem::parent() is null for top-level items, not the invisible root.
    QTreeWidgetItem* ItemParent(QTreeWidgetItem* parent) const
    {
        return parent == m_tree->invisibleRootItem() ? nullptr : parent;
    }

    static void ApplyItem(QTreeWidgetItem* item, const TVITEMW& fields)
    {
        if ((fields.mask & TVIF_TEXT) && fields.pszText) {
            item->setText(0, QString::fromWCharArray(fields.pszText));
        }
        if (fields.mask & TVIF_PARAM) {
            item->setData(0, kParamRole, QVariant::fromValue<qlonglong>(fields.lParam));
        }
    }

    // The selection leaves a deleted item before the item goes, so that the notification still
    // describes a live item.
    LRESULT Delete(HTREEITEM handle)
    {
        if (!handle || handle == TVI_ROOT) {
            m_tree->setCurrentItem(nullptr);
            m_tree->clear();
            m_items.clear();
            return TRUE;
        }
        QTreeWidgetItem* item = ItemOf(handle);
        if (!item) {
            return FALSE;
        }
        for (const QTreeWidgetItem* at = m_tree->currentItem(); at; at = at->parent()) {
            if (at == item) {
                m_tree->setCurrentItem(nullptr);
                break;
            }
        }
        Forget(item);
        delete item;
        return TRUE;
    }

    void Forget(QTreeWidgetItem* item)
    {
        for (int i = 0; i < item->childCount(); ++i) {
            Forget(item->child(i));
        }
        m_items.erase(HandleOf(item));
    }

    static LRESULT Expand(UINT code, QTreeWidgetItem* item)
    {
        if (!item) {
            return FALSE;
        }
        switch (code & 0x3) {
        case TVE_COLLAPSE:
            item->setExpanded(false);
            return TRUE;
        case TVE_EXPAND:
            item->setExpanded(true);
            return TRUE;
        case TVE_TOGGLE:
            item->setExpanded(!item->isExpanded());
            return TRUE;
        default:
            return FALSE;
        }
    }

    QTreeWidgetItem* Next(UINT code, HTREEITEM handle) const
    {
        QTreeWidgetItem* item = ItemOf(handle);
        switch (code) {
        case TVGN_ROOT:
            return m_tree->topLevelItem(0);
        case TVGN_CARET:
            return m_tree->currentItem();
        case TVGN_FIRSTVISIBLE:
            return FirstVisible();
        case TVGN_CHILD:
            return item ? item->child(0) : (handle ? nullptr : m_tree->topLevelItem(0));
        case TVGN_PARENT:
            return item ? item->parent() : nullptr;
        case TVGN_NEXT:
            return item ? Sibling(item, 1) : nullptr;
        case TVGN_PREVIOUS:
            return item ? Sibling(item, -1) : nullptr;
        case TVGN_NEXTVISIBLE:
            return item ? m_tree->itemBelow(item) : nullptr;
        default:
            return nullptr;
        }
    }

    QTreeWidgetItem* Sibling(QTreeWidgetItem* item, int step) const
    {
        QTreeWidgetItem* parent = item->parent() ? item->parent() : m_tree->invisibleRootItem();
        return parent->child(parent->indexOfChild(item) + step);
    }

    // The item at the top of the view; before the view has been laid out, the first item.
    QTreeWidgetItem* FirstVisible() const
    {
        if (QTreeWidgetItem* top = m_tree->itemAt(1, 1)) {
            return top;
        }
        return m_tree->topLevelItem(0);
    }

    LRESULT Select(UINT code, HTREEITEM handle)
    {
        QTreeWidgetItem* item = ItemOf(handle);
        if (handle && !item) {
            return FALSE;
        }
        if (code == TVGN_CARET) {
            m_selectingByMessage = true;
            m_tree->setCurrentItem(item);
            m_selectingByMessage = false;
            return TRUE;
        }
        if (code == TVGN_FIRSTVISIBLE && item) {
            m_tree->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return TRUE;
        }
        return FALSE;
    }

    static TVITEMW Describe(const QTreeWidgetItem* item)
    {
        TVITEMW fields;
        fields.mask = TVIF_HANDLE | TVIF_PARAM;
        fields.hItem = HandleOf(item);
        fields.lParam = item ? static_cast<LPARAM>(item->data(0, kParamRole).toLongLong()) : 0;
        return fields;
    }

    LRESULT GetItem(TVITEMW* fields) const
    {
        const QTreeWidgetItem* item = fields ? ItemOf(fields->hItem) : nullptr;
        if (!item) {
            return FALSE;
        }
        if (fields->mask & TVIF_PARAM) {
            fields->lParam = static_cast<LPARAM>(item->data(0, kParamRole).toLongLong());
        }
        if ((fields->mask & TVIF_TEXT) && fields->pszText && fields->cchTextMax > 0) {
            const std::wstring text = item->text(0).toStdWString();
            const auto count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(fields->cchTextMax - 1));
            std::copy_n(text.begin(), count, fields->pszText);
            fields->pszText[count] = L'\0';
        }
        return TRUE;
    }

    LRESULT SetItem(const TVITEMW* fields)
    {
        QTreeWidgetItem* item = fields ? ItemOf(fields->hItem) : nullptr;
        if (!item) {
            return FALSE;
        }
        ApplyItem(item, *fields);
        return TRUE;
    }

    void SelectionChanged(const QTreeWidgetItem* current, const QTreeWidgetItem* previous)
    {
        const WindowRecord* record = WindowTable::Instance().Find(Handle());
        if (!record) {
            return;
        }
        NMTREEVIEWW notification;
        notification.hdr.hwndFrom = Handle();
        notification.hdr.idFrom = static_cast<UINT_PTR>(record->id);
        notification.hdr.code = TVN_SELCHANGEDW;
        notification.action = m_selectingByMessage ? TVC_UNKNOWN : TVC_BYMOUSE;
        notification.itemOld = Describe(previous);
        notification.itemNew = Describe(current);
        SendMessageW(record->parent, WM_NOTIFY, static_cast<WPARAM>(record->id),
                     reinterpret_cast<LPARAM>(&notification));
    }

    QPointer<QTreeWidget> m_tree;
    std::unordered_map<HTREEITEM, QTreeWidgetItem*> m_items;
    std::uintptr_t m_nextHandle = 0;
    bool m_selectingByMessage = false;
};

} // namespace

std::unique_ptr<NativeWindow> MakeTreeViewWindow(const NativeCreateParams& params, QWidget* parentWidget)
{
    return std::make_unique<TreeViewWindow>(new QTreeWidget(parentWidget), params.style);
}
