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
    EXPECT_EQ(MessageBoxW(nullptr, L"Replace?", nullptr, MB_YESNO), IDYES) << "or Yes";
    EXPECT_EQ(owner.MessageBox(L"Creation failed"), IDOK);

    const auto& boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].owner, owner.m_hWnd);
    EXPECT_EQ(boxes[0].text, L"Replace?");
    EXPECT_EQ(boxes[0].caption, L"Question");
    EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(boxes[1].caption, L"Error") << "the platform's caption when none is given";
    EXPECT_EQ(boxes[3].caption, WinApplicationName()) << "a window's message box names the application";
    EXPECT_EQ(boxes[3].type, MB_OK);
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

// The desktop dialog returns the name as typed and asks nothing, even when that file exists:
// CFileDialog decides the name and asks about the file it will write.
TEST(DesktopDialogServiceTest, SaveReturnsTheTypedNameWithoutAQuestion)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::ofstream(folder.filePath(QStringLiteral("heights.dat")).toStdString()) << "0\n";
    DesktopDialogService desktop;
    FileDialogRequest request;
    request.open = false;
    request.flags = OFN_OVERWRITEPROMPT;
    request.defaultExtension = L"txt";
    for (const char* typed : {"heights.dat", "heights"}) {
        SCOPED_TRACE(typed);
        bool asked = false;
        // Answers a question, should one come up; it goes with this scope if none does.
        QTimer answerQuestion;
        answerQuestion.setSingleShot(true);
        QObject::connect(&answerQuestion, &QTimer::timeout, [&asked] {
            if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                question->button(QMessageBox::Yes)->click();
            }
        });
        const QString path = folder.filePath(QString::fromLatin1(typed));
        WhenModal<QFileDialog>([&answerQuestion, path](QFileDialog* dialog) {
            answerQuestion.start(0);
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const FileDialogAnswer answer = desktop.ShowFileDialog(request);
        EXPECT_FALSE(asked);
        EXPECT_TRUE(answer.confirmed);
        EXPECT_EQ(QString::fromStdWString(answer.path), path);
    }
}

// A save adds the default extension and asks before it replaces an existing file; "No" shows
// the file dialog again with the name chosen. Opening neither adds nor asks.
TEST(FileDialogTest, SaveAsksAboutTheFileItWillWriteAndNoChoosesAgain)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::wstring root = folder.path().toStdWString() + L"/";
    std::ofstream(folder.filePath(QStringLiteral("heights.txt")).toStdString()) << "0\n";
    ScriptedDialogService dialogs;
    dialogs.QueueFileAnswer({true, root + L"heights"});
    dialogs.QueueMessageBoxAnswer(IDNO);
    dialogs.QueueFileAnswer({true, root + L"new"});
    dialogs.QueueFileAnswer({true, root + L"heights"});
    dialogs.QueueFileAnswer({true, root + L"heights"});

    CFileDialog declined(FALSE, L"txt", L"temp.txt", OFN_OVERWRITEPROMPT);
    ASSERT_EQ(declined.DoModal(), IDOK);
    EXPECT_EQ(declined.GetPathName(), root + L"new.txt") << "no question about a new file";
    ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs.MessageBoxes()[0].text, L"heights.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(dialogs.MessageBoxes()[0].type, MB_YESNO | MB_ICONWARNING);
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs()[1].fileName, root + L"heights.txt");

    CFileDialog replaced(FALSE, L"txt", nullptr, OFN_OVERWRITEPROMPT);
    ASSERT_EQ(replaced.DoModal(), IDOK) << "the unscripted question answers Yes";
    EXPECT_EQ(replaced.GetFileName(), L"heights.txt");
    EXPECT_EQ(dialogs.MessageBoxes().size(), 2u);

    CFileDialog opened(TRUE, L"txt", nullptr, OFN_OVERWRITEPROMPT);
    ASSERT_EQ(opened.DoModal(), IDOK);
    EXPECT_EQ(opened.GetFileName(), L"heights");
    EXPECT_EQ(dialogs.MessageBoxes().size(), 2u);
}

} // namespace
