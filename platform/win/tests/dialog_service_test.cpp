// Message boxes and file dialogs: the scripted service records and answers; the desktop service
// shows Qt's dialogs, answered here by zero-delay timers.
#include "platform/win/cwnd.h"
#include "platform/win/dialog_service.h"
#include "platform/win/win_api.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

TEST(ScriptedDialogServiceTest, MessageBoxesAreRecordedAndAnsweredInOrder)
{
    ScriptedDialogService dialogs;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    dialogs.QueueMessageBoxAnswer(IDNO);

    EXPECT_EQ(MessageBoxW(owner.m_hWnd, L"Replace?", L"Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"Failed", nullptr, MB_OK), IDOK) << "unscripted boxes answer OK";
    EXPECT_EQ(owner.MessageBox(L"Creation failed"), IDOK);

    const auto& boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, owner.m_hWnd);
    EXPECT_EQ(boxes[0].text, L"Replace?");
    EXPECT_EQ(boxes[0].caption, L"Question");
    EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes[1].caption, L"Error") << "the platform's caption when none is given";
    EXPECT_EQ(boxes[2].caption, WinApplicationName()) << "a window's message box names the application";
    EXPECT_EQ(boxes[2].type, MB_OK);
}

TEST(ScriptedDialogServiceTest, FileDialogGivesThePathAndTheBareNameOrCancels)
{
    ScriptedDialogService dialogs;
    dialogs.QueueFileAnswer(FileDialogAnswer{true, L"/data/maps/heights.txt"});

    CFileDialog chosen(TRUE);
    ASSERT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetPathName(), L"/data/maps/heights.txt");
    EXPECT_EQ(chosen.GetFileName(), L"heights.txt");

    CFileDialog cancelled(FALSE, L"txt", L"temp.txt", OFN_OVERWRITEPROMPT);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), L"");

    const auto& requests = dialogs.FileDialogs();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].open);
    EXPECT_EQ(requests[0].flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(requests[1].open);
    EXPECT_EQ(requests[1].defaultExtension, L"txt");
    EXPECT_EQ(requests[1].fileName, L"temp.txt");
}

TEST(ScriptedDialogServiceTest, WithoutAServiceBoxesCancelAndFileDialogsAreCancelled)
{
    IWinDialogService* installed = WinDialogService();
    WinSetDialogService(nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"caption", MB_OK), IDCANCEL);
    EXPECT_EQ(CFileDialog(TRUE).DoModal(), IDCANCEL);
    WinSetDialogService(installed);
}

// Runs the next modal Qt dialog through the action as soon as it is open.
template <class Dialog, class Action> void WhenModal(Action action)
{
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(dialog);
    });
}

TEST(DesktopDialogServiceTest, MessageBoxShowsTextCaptionIconAndReportsTheButton)
{
    DesktopDialogService desktop;
    WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("TQRMFC_UIWindow creation failed!"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("TQRMFC_UIWindow::ReplaceDialogControl"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(desktop.ShowMessageBox(nullptr, L"TQRMFC_UIWindow creation failed!",
                                     L"TQRMFC_UIWindow::ReplaceDialogControl", MB_OK | MB_ICONERROR),
              IDOK);

    WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(desktop.ShowMessageBox(nullptr, L"Replace?", L"Question", MB_YESNO), IDNO);
}

TEST(DesktopDialogServiceTest, SaveAsksBeforeOverwritingTheFileItWillWrite)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("heights.txt"));
    std::ofstream(path.toStdString()) << "0\n";
    DesktopDialogService desktop;
    FileDialogRequest request;
    request.open = false;
    request.flags = OFN_OVERWRITEPROMPT;
    request.defaultExtension = L"txt";

    struct Case {
        const char* typed;
        bool replace;
    };
    // A name typed without its extension is the same file once the dialog adds it.
    for (const Case& c : {Case{"heights.txt", false}, Case{"heights.txt", true}, Case{"heights", true}}) {
        SCOPED_TRACE(std::string(c.typed) + (c.replace ? " replace" : " keep"));
        bool asked = false;
        WhenModal<QFileDialog>([&asked, &folder, c](QFileDialog* dialog) {
            WhenModal<QMessageBox>([&asked, c](QMessageBox* question) {
                asked = true;
                question->button(c.replace ? QMessageBox::Yes : QMessageBox::No)->click();
                if (!c.replace) {
                    // Declining leaves the file dialog open; the user then cancels it.
                    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
                }
            });
            dialog->selectFile(folder.filePath(QString::fromLatin1(c.typed)));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const FileDialogAnswer answer = desktop.ShowFileDialog(request);
        EXPECT_TRUE(asked);
        EXPECT_EQ(answer.confirmed, c.replace);
        EXPECT_EQ(QString::fromStdWString(answer.path), c.replace ? path : QString());
    }
}

} // namespace
