// Dialogs from templates: building, dialog units, modal runs, data exchange, radio groups and
// command dispatch, driven through real widgets.
#include "platform/win/cdialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplateId = 9100;
constexpr int kCheck = 10;
constexpr int kLabel = 11;
constexpr int kLeft = 20;
constexpr int kRight = 21;
constexpr int kStraight = 22;
constexpr int kRed = 30;
constexpr int kGreen = 31;
constexpr int kAction = 40;
constexpr int kRangeFirst = 41;
constexpr int kRangeLast = 42;

DialogTemplate TestTemplate()
{
    DialogTemplate t;
    t.id = kTemplateId;
    t.caption = L"Test Dialog";
    t.cx = 200;
    t.cy = 120;
    t.controls = {
        {IDOK, DialogControlKind::DefPushButton, L"OK", {140, 100, 50, 14}},
        {IDCANCEL, DialogControlKind::PushButton, L"Cancel", {80, 100, 50, 14}},
        {kCheck, DialogControlKind::CheckBox, L"Check", {5, 5, 60, 10}},
        {kLabel, DialogControlKind::Static, L"---", {70, 5, 60, 10}},
        {kLeft, DialogControlKind::RadioButton, L"Left", {5, 20, 40, 10}, WS_GROUP | WS_TABSTOP},
        {kRight, DialogControlKind::RadioButton, L"Right", {5, 32, 40, 10}},
        {kStraight, DialogControlKind::RadioButton, L"Straight", {5, 44, 40, 10}},
        {IDC_STATIC, DialogControlKind::Static, L"Colour", {60, 20, 30, 8}},
        {kRed, DialogControlKind::RadioButton, L"Red", {100, 20, 40, 10}, WS_GROUP | WS_TABSTOP},
        {kGreen, DialogControlKind::RadioButton, L"Green", {100, 32, 40, 10}},
        {kAction, DialogControlKind::PushButton, L"Act", {5, 70, 30, 14}},
        {kRangeFirst, DialogControlKind::PushButton, L"A", {40, 70, 30, 14}},
        {kRangeLast, DialogControlKind::PushButton, L"B", {75, 70, 30, 14}},
    };
    return t;
}

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(kTemplateId)
    {
        MapCommand(kAction, &TestDialog::OnAction);
        MapCommandRange(kRangeFirst, kRangeLast, &TestDialog::OnRange);
    }

    BOOL OnInitDialog() override
    {
        controlsAtInit = ::GetDlgItem(m_hWnd, kRangeLast) != nullptr;
        ++initCount;
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* exchange) override
    {
        DDX_Check(exchange, kCheck, check);
        DDX_Text(exchange, kLabel, label);
    }

    void OnAction() { commands.push_back(kAction); }
    void OnRange(UINT id) { commands.push_back(static_cast<int>(id)); }

    int check = 1;
    std::wstring label = L"temp.txt";
    bool controlsAtInit = false;
    int initCount = 0;
    std::vector<int> commands;
};

QWidget* ItemWidget(const CWnd& dialog, int id) { return WidgetOfWindow(::GetDlgItem(dialog.m_hWnd, id)); }

void Click(const CWnd& dialog, int id)
{
    QWidget* button = ItemWidget(dialog, id);
    ASSERT_NE(button, nullptr) << "control " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterDialogTemplate(TestTemplate());
        ASSERT_TRUE(m_dialog.Create(kTemplateId));
        m_dialog.ShowWindow(SW_SHOW);
    }

    TestDialog m_dialog;
};

TEST_F(DialogTest, InitDialogRunsOnceAfterTheControlsExistAndWritesMembersToControls)
{
    EXPECT_TRUE(m_dialog.controlsAtInit);
    EXPECT_EQ(m_dialog.initCount, 1);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kCheck), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(GetWindowTextString(::GetDlgItem(m_dialog.m_hWnd, kLabel)), L"temp.txt");
}

TEST_F(DialogTest, DataExchangeReadsWhatTheUserChangedAndWritesItBack)
{
    Click(m_dialog, kCheck);
    SetDlgItemTextW(m_dialog.m_hWnd, kLabel, L"heights.txt");
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(m_dialog.check, 0);
    EXPECT_EQ(m_dialog.label, L"heights.txt");

    m_dialog.check = 1;
    m_dialog.label.clear();
    m_dialog.UpdateData(FALSE);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kCheck), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(GetWindowTextString(::GetDlgItem(m_dialog.m_hWnd, kLabel)), L"");
}

TEST_F(DialogTest, ClickingARadioButtonClearsOnlyItsOwnGroup)
{
    m_dialog.CheckRadioButton(kLeft, kStraight, kLeft);
    m_dialog.CheckRadioButton(kRed, kGreen, kRed);
    Click(m_dialog, kStraight);
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(kLeft, kStraight), kStraight);
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(kLeft), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(kRed, kGreen), kRed) << "the second group must keep its choice";

    Click(m_dialog, kStraight);
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(kLeft, kStraight), kStraight) << "a second click must not uncheck";
}

TEST_F(DialogTest, CheckRadioButtonChecksOneIdOfTheRangeAndClearsTheRest)
{
    m_dialog.CheckRadioButton(kLeft, kStraight, kRight);
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(kLeft, kStraight), kRight);
    m_dialog.CheckRadioButton(kLeft, kStraight, 0);
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(kLeft, kStraight), 0);
}

TEST_F(DialogTest, ClicksReachTheHandlerMappedToTheButtonsId)
{
    Click(m_dialog, kRangeLast);
    Click(m_dialog, kAction);
    Click(m_dialog, kRangeFirst);
    Click(m_dialog, kCheck); // not mapped: ignored
    EXPECT_EQ(m_dialog.commands, (std::vector<int>{kRangeLast, kAction, kRangeFirst}));
}

TEST_F(DialogTest, DialogUnitsFollowTheFontAndKeepAdjoiningControlsTogether)
{
    const DialogBaseUnits units = DialogBaseUnitsOf(TestTemplate());
    ASSERT_GT(units.cx, 0);
    ASSERT_GT(units.cy, 0);
    RECT client;
    GetClientRect(m_dialog.m_hWnd, &client);
    EXPECT_NEAR(client.right, 200.0 * units.cx / 4, 0.5);
    EXPECT_NEAR(client.bottom, 120.0 * units.cy / 8, 0.5);

    // Cancel ends at 130 dialog units and OK starts at 140: the gap is 10 units wide.
    RECT cancel;
    RECT ok;
    GetWindowRect(::GetDlgItem(m_dialog.m_hWnd, IDCANCEL), &cancel);
    GetWindowRect(::GetDlgItem(m_dialog.m_hWnd, IDOK), &ok);
    EXPECT_NEAR(ok.left - cancel.right, 10.0 * units.cx / 4, 1.0);
    EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);

    DialogTemplate larger = TestTemplate();
    larger.fontPointSize = 16;
    const DialogBaseUnits largerUnits = DialogBaseUnitsOf(larger);
    EXPECT_GT(largerUnits.cx, units.cx);
    EXPECT_GT(largerUnits.cy, units.cy);
}

TEST(ModalDialogTest, DefaultButtonEndsTheRunWithOkAfterReadingTheControls)
{
    RegisterDialogTemplate(TestTemplate());
    TestDialog dialog;
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        inspected = IsWindowVisible(dialog.m_hWnd) && dialog.initCount == 1;
        Click(dialog, kCheck);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(inspected);
    EXPECT_EQ(dialog.check, 0) << "OnOK reads the controls before ending";
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window goes when the run ends";
}

TEST(ModalDialogTest, EscapeAndTheFrameCloseButtonCancel)
{
    RegisterDialogTemplate(TestTemplate());
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "escape" : "close");
        TestDialog dialog;
        QTimer::singleShot(0, [&] {
            QWidget* window = WidgetOfWindow(dialog.m_hWnd);
            if (escape) {
                QTest::keyClick(window, Qt::Key_Escape);
            } else {
                window->close();
            }
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

// BM_CLICK acts as a click of the mouse: the handler runs and a check box toggles; a disabled
// button ignores it.
TEST_F(DialogTest, ClickMessageActsAsAMouseClick)
{
    const struct {
        int id;
        bool enabled;
        std::vector<int> commands;
        UINT check;
    } cases[] = {
        {kAction, true, {kAction}, BST_CHECKED},
        {kRangeFirst, false, {}, BST_CHECKED},
        {kCheck, true, {}, BST_UNCHECKED},
        {kCheck, false, {}, BST_CHECKED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << (c.enabled ? "" : " disabled"));
        m_dialog.commands.clear();
        m_dialog.CheckDlgButton(kCheck, BST_CHECKED);
        ItemWidget(m_dialog, c.id)->setEnabled(c.enabled);
        SendMessageW(::GetDlgItem(m_dialog.m_hWnd, c.id), BM_CLICK, 0, 0);
        ItemWidget(m_dialog, c.id)->setEnabled(true);
        EXPECT_EQ(m_dialog.commands, c.commands);
        EXPECT_EQ(m_dialog.IsDlgButtonChecked(kCheck), c.check);
    }
}

// A dialog hosted in a Qt widget is a child control of it whatever its template's frame, and
// leaves Escape and Enter to the host.
TEST(HostedDialogTest, LivesInsideTheHostAndLeavesEscapeAndEnterToIt)
{
    RegisterDialogTemplate(TestTemplate());
    QWidget host;
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateInWidget(kTemplateId, &host));
    EXPECT_FALSE(dialog.CreateInWidget(kTemplateId, &host)) << "a dialog is created once";
    QWidget* widget = WidgetOfWindow(dialog.m_hWnd);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &host);
    EXPECT_FALSE(widget->isWindow());
    EXPECT_EQ(dialog.initCount, 1);
    host.show();
    dialog.ShowWindow(SW_SHOW);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QTest::keyClick(widget, key);
        EXPECT_TRUE(dialog.IsWindowVisible()) << "neither key ends a hosted dialog";
    }
    dialog.DestroyWindow();

    TestDialog orphan;
    EXPECT_FALSE(orphan.CreateInWidget(kTemplateId, nullptr));
    EXPECT_FALSE(orphan.CreateInWidget(9199, &host)) << "no such template";
}

TEST(ModalDialogTest, MissingTemplateFailsWithoutAWindow)
{
    CDialog dialog(9199);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(9199));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

} // namespace
