// Trackbars and tree views: integer semantics, notifications to the parent and reflection back
// to the control, driven through the real Qt widgets.
#include "platform/win/cdialog.h"
#include "platform/win/controls.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplateId = 9200;
constexpr int kHorizontal = 10;
constexpr int kVertical = 11;
constexpr int kTree = 12;

struct Scroll {
    UINT message;
    UINT code;
    CWnd* control;
};

class TrackingSlider : public CSliderCtrl {
public:
    std::vector<UINT> reflected;

protected:
    void HScroll(UINT code, UINT) override { reflected.push_back(code); }
    void VScroll(UINT code, UINT) override { reflected.push_back(code); }
};

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(kTemplateId) { MapNotify(kTree, TVN_SELCHANGEDW, &ControlsDialog::OnSelChanged); }

    void DoDataExchange(CDataExchange* exchange) override
    {
        DDX_Control(exchange, kHorizontal, horizontal);
        DDX_Control(exchange, kVertical, vertical);
        DDX_Control(exchange, kTree, tree);
    }

    void OnSelChanged(NMHDR* header, LRESULT* result)
    {
        const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
        selections.push_back({change->itemOld.lParam, change->itemNew.lParam});
        *result = 0;
    }

    TrackingSlider horizontal;
    TrackingSlider vertical;
    CTreeCtrl tree;
    std::vector<Scroll> scrolls;
    std::vector<std::pair<LPARAM, LPARAM>> selections;

protected:
    void OnHScroll(UINT code, UINT position, CWnd* control) override
    {
        scrolls.push_back({WM_HSCROLL, code, control});
        CDialog::OnHScroll(code, position, control);
    }
    void OnVScroll(UINT code, UINT position, CWnd* control) override
    {
        scrolls.push_back({WM_VSCROLL, code, control});
        CDialog::OnVScroll(code, position, control);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DialogTemplate t;
        t.id = kTemplateId;
        t.cx = 200;
        t.cy = 200;
        t.controls = {
            {kHorizontal, DialogControlKind::Trackbar, L"", {5, 5, 150, 15}, TBS_NOTICKS},
            {kVertical, DialogControlKind::Trackbar, L"", {160, 5, 20, 150}, TBS_VERT | TBS_BOTH},
            {kTree, DialogControlKind::TreeView, L"", {5, 30, 100, 100}, TVS_HASLINES | TVS_LINESATROOT},
        };
        RegisterDialogTemplate(t);
        ASSERT_TRUE(m_dialog.Create(kTemplateId));
        m_dialog.ShowWindow(SW_SHOW);
    }

    QSlider* SliderWidget(const CWnd& slider) { return static_cast<QSlider*>(WidgetOfWindow(slider.m_hWnd)); }

    ControlsDialog m_dialog;
};

TEST_F(ControlsTest, UserMoveNotifiesTheParentWithTheControlAndIsReflectedToIt)
{
    m_dialog.horizontal.SetRange(0, 100000, TRUE);
    m_dialog.horizontal.SetPos(500);
    EXPECT_TRUE(m_dialog.scrolls.empty()) << "setting range and position by message sends nothing";

    SliderWidget(m_dialog.horizontal)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_dialog.horizontal.GetPos(), 501);
    ASSERT_EQ(m_dialog.scrolls.size(), 1u);
    EXPECT_EQ(m_dialog.scrolls[0].message, WM_HSCROLL);
    EXPECT_EQ(m_dialog.scrolls[0].code, TB_LINEDOWN);
    EXPECT_EQ(m_dialog.scrolls[0].control, &m_dialog.horizontal);
    EXPECT_EQ(m_dialog.horizontal.reflected, (std::vector<UINT>{TB_LINEDOWN}));

    SliderWidget(m_dialog.vertical)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(m_dialog.scrolls.size(), 2u);
    EXPECT_EQ(m_dialog.scrolls[1].message, WM_VSCROLL);
    EXPECT_EQ(m_dialog.scrolls[1].control, &m_dialog.vertical);
    EXPECT_EQ(m_dialog.vertical.reflected, (std::vector<UINT>{TB_PAGEDOWN}));
}

TEST_F(ControlsTest, PositionStaysInsideTheRange)
{
    m_dialog.horizontal.SetRange(-20, 20);
    m_dialog.horizontal.SetPos(35);
    EXPECT_EQ(m_dialog.horizontal.GetPos(), 20);
    m_dialog.horizontal.SetRange(0, 10);
    EXPECT_EQ(m_dialog.horizontal.GetPos(), 10) << "narrowing the range pulls the position in";
    int minimum = -1;
    int maximum = -1;
    m_dialog.horizontal.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 10);
}

TEST_F(ControlsTest, VerticalTrackbarHasItsMinimumAtTheTop)
{
    m_dialog.vertical.SetRange(0, 100, TRUE);
    QSlider* slider = SliderWidget(m_dialog.vertical);
    struct Case {
        int start;
        int clickY;
        UINT code;
    };
    // A click on the groove pages towards the click, so a click near the top pages towards
    // the minimum only if the minimum is at the top.
    for (const Case& c : {Case{100, 8, TB_PAGEUP}, Case{0, slider->height() - 8, TB_PAGEDOWN}}) {
        SCOPED_TRACE(c.start);
        m_dialog.vertical.SetPos(c.start);
        m_dialog.vertical.reflected.clear();
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() / 2, c.clickY));
        ASSERT_FALSE(m_dialog.vertical.reflected.empty());
        EXPECT_EQ(m_dialog.vertical.reflected.front(), c.code);
        EXPECT_EQ(m_dialog.vertical.GetPos() < c.start, c.code == TB_PAGEUP);
    }
}

TEST_F(ControlsTest, TreeBuildsUnderParentsInOrderAndCarriesItemData)
{
    CTreeCtrl& tree = m_dialog.tree;
    const HTREEITEM root = tree.InsertItem(L"root");
    const HTREEITEM second = tree.InsertItem(L"second", root);
    const HTREEITEM first = tree.InsertItem(L"first", root, TVI_FIRST);
    tree.InsertItem(L"grandchild", second, TVI_LAST);
    ASSERT_TRUE(tree.SetItemData(root, 7));
    ASSERT_TRUE(tree.SetItemData(second, 9));

    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetNextItem(nullptr, TVGN_FIRSTVISIBLE), root);
    EXPECT_EQ(tree.GetChildItem(root), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetParentItem(second), root);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(second)), L"grandchild");
    EXPECT_EQ(tree.GetItemData(second), 9u);
    EXPECT_EQ(tree.InsertItem(L"orphan", reinterpret_cast<HTREEITEM>(0x7777)), nullptr);
}

TEST_F(ControlsTest, SelectionNotifiesOldAndNewItemOnlyWhenItChanges)
{
    CTreeCtrl& tree = m_dialog.tree;
    const HTREEITEM root = tree.InsertItem(L"root");
    const HTREEITEM child = tree.InsertItem(L"child", root);
    tree.SetItemData(root, 1);
    tree.SetItemData(child, 2);

    ASSERT_TRUE(tree.SelectItem(tree.GetNextItem(nullptr, TVGN_FIRSTVISIBLE)));
    tree.SelectItem(root);
    tree.Expand(root, TVE_EXPAND);
    auto* widget = static_cast<QTreeWidget*>(WidgetOfWindow(tree.m_hWnd));
    const QRect childRect = widget->visualItemRect(widget->topLevelItem(0)->child(0));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, childRect.center());

    EXPECT_EQ(tree.GetSelectedItem(), child);
    EXPECT_EQ(m_dialog.selections, (std::vector<std::pair<LPARAM, LPARAM>>{{0, 1}, {1, 2}}));
}

} // namespace
