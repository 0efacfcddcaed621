// Message boxes and file dialogs go through one replaceable service. The window system
// installs the desktop service, which shows Qt's QMessageBox and QFileDialog; tests install a
// ScriptedDialogService that records every request and returns scripted answers.
// Implements: the service interface, the desktop service, the scripted service, CFileDialog
// (open and save modes; a save adds the default extension unless the name already ends in it, in
// any case, and with OFN_OVERWRITEPROMPT asks through a message box before it overwrites the
// file it will write; result path and bare file name). MessageBoxW is declared in win_api.h.
// Leaves out: multiple selection, filters beyond "Name|pattern|" pairs, templates and hooks.
#pragma once

#include "platform/win/win_defs.h"

#include <deque>
#include <string>
#include <vector>

class CWnd;

struct FileDialogRequest {
    HWND owner = nullptr;
    bool open = true;
    DWORD flags = 0;
    std::wstring defaultExtension;
    std::wstring fileName;
    std::wstring filter;
};

struct FileDialogAnswer {
    bool confirmed = false;
    std::wstring path; // full path of the chosen file
};

class IWinDialogService {
public:
    virtual ~IWinDialogService() = default;
    // Returns the button chosen: IDOK, IDCANCEL, IDYES or IDNO.
    virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    virtual FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) = 0;
};

// The service is not owned; null leaves no service, and message boxes then answer IDCANCEL and
// file dialogs are cancelled.
void WinSetDialogService(IWinDialogService* service);
IWinDialogService* WinDialogService();

// Qt's dialogs, modal to their owner's window. A save dialog returns the name as typed and asks
// nothing: CFileDialog adds the extension and asks about overwriting the file it will write.
class DesktopDialogService : public IWinDialogService {
public:
    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
};

// Records requests and answers from scripts: message boxes with the queued answers (when none is
// queued, the first button of the box: IDYES for a yes/no box, IDOK otherwise), file dialogs
// with the queued answers (cancelled when none is queued).
// Installs itself on construction and puts the previous service back on destruction.
class ScriptedDialogService : public IWinDialogService {
public:
    struct MessageBoxRequest {
        HWND owner = nullptr;
        std::wstring text;
        std::wstring caption;
        UINT type = 0;
    };

    ScriptedDialogService();
    ~ScriptedDialogService() override;
    ScriptedDialogService(const ScriptedDialogService&) = delete;
    ScriptedDialogService& operator=(const ScriptedDialogService&) = delete;

    int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;

    void QueueMessageBoxAnswer(int answer) { m_messageBoxAnswers.push_back(answer); }
    void QueueFileAnswer(const FileDialogAnswer& answer) { m_fileAnswers.push_back(answer); }
    const std::vector<MessageBoxRequest>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_fileDialogs; }

private:
    IWinDialogService* m_previous = nullptr;
    std::deque<int> m_messageBoxAnswers;
    std::deque<FileDialogAnswer> m_fileAnswers;
    std::vector<MessageBoxRequest> m_messageBoxes;
    std::vector<FileDialogRequest> m_fileDialogs;
};

class CFileDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                         CWnd* parent = nullptr);

    // IDOK when the user chose a file, IDCANCEL otherwise. A save takes the chosen name with the
    // default extension added (WithDefaultExtension). With OFN_OVERWRITEPROMPT, when that file
    // exists, it asks whether to replace it; "No" shows the file dialog again.
    INT_PTR DoModal();
    // The chosen file's full path, as it will be written.
    std::wstring GetPathName() const { return m_path; }
    // The chosen file's name without its folder.
    std::wstring GetFileName() const;

private:
    // The path the chosen one stands for: with the default extension when saving.
    std::wstring PathToUse(const std::wstring& chosen) const;
    // True when the path may be used: no question asked, or "Yes" to replacing the file.
    bool MayWrite(const std::wstring& path) const;

    FileDialogRequest m_request;
    std::wstring m_path;
};
