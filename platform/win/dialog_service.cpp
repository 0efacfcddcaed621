#include "platform/win/dialog_service.h"

#include "base/file_name.h"
#include "base/wide_path.h"
#include "platform/win/cwnd.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>
#include <optional>

namespace {

IWinDialogService*& InstalledService()
{
    static IWinDialogService* service = nullptr;
    return service;
}

QWidget* OwnerWidget(HWND owner)
{
    const WindowRecord* record = WindowTable::Instance().Find(owner);
    QWidget* widget = record ? record->native->Widget() : nullptr;
    return widget ? widget->window() : nullptr;
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_OK:
    default:
        return QMessageBox::Ok;
    }
}

int ButtonId(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

// "Text (*.txt)|*.txt|All (*.*)|*.*||" becomes "Text (*.txt);;All (*.*)".
QString QtFilter(const std::wstring& filter)
{
    const QStringList parts = QString::fromStdWString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (parts[i].contains(QLatin1Char('('))
                        ? parts[i]
                        : parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::wstring BareFileName(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

void WinSetDialogService(IWinDialogService* service) { InstalledService() = service; }

IWinDialogService* WinDialogService() { return InstalledService(); }

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    IWinDialogService* service = WinDialogService();
    if (!service) {
        return IDCANCEL;
    }
    return service->ShowMessageBox(owner, text ? text : L"", caption ? caption : L"Error", type);
}

int DesktopDialogService::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    QMessageBox box(IconOf(type), QString::fromStdWString(caption), QString::fromStdWString(text), ButtonsOf(type),
                    OwnerWidget(owner));
    return ButtonId(box.exec());
}

FileDialogAnswer DesktopDialogService::ShowFileDialog(const FileDialogRequest& request)
{
    QWidget* parent = OwnerWidget(request.owner);
    const QString name = QString::fromStdWString(request.fileName);
    const QString filter = QtFilter(request.filter);
    QString path;
    if (request.open) {
        path = QFileDialog::getOpenFileName(parent, QString(), name, filter);
    } else {
        // Qt would add a default suffix only to a name without any ("heights.dat" keeps none) and
        // then ask about that name; CFileDialog applies the program's rule and asks instead.
        QFileDialog dialog(parent, QString(), name, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOptions(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            path = dialog.selectedFiles().constFirst();
        }
    }
    return FileDialogAnswer{!path.isEmpty(), path.toStdWString()};
}

ScriptedDialogService::ScriptedDialogService() : m_previous(InstalledService()) { WinSetDialogService(this); }

ScriptedDialogService::~ScriptedDialogService() { WinSetDialogService(m_previous); }

int ScriptedDialogService::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    m_messageBoxes.push_back(MessageBoxRequest{owner, text, caption, type});
    if (m_messageBoxAnswers.empty()) {
        const UINT buttons = type & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    }
    const int answer = m_messageBoxAnswers.front();
    m_messageBoxAnswers.pop_front();
    return answer;
}

FileDialogAnswer ScriptedDialogService::ShowFileDialog(const FileDialogRequest& request)
{
    m_fileDialogs.push_back(request);
    if (m_fileAnswers.empty()) {
        return FileDialogAnswer{};
    }
    const FileDialogAnswer answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return answer;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent)
{
    m_request.owner = parent ? parent->m_hWnd : nullptr;
    m_request.open = openFileDialog != FALSE;
    m_request.flags = flags;
    m_request.defaultExtension = defaultExtension ? defaultExtension : L"";
    m_request.fileName = fileName ? fileName : L"";
    m_request.filter = filter ? filter : L"";
}

INT_PTR CFileDialog::DoModal()
{
    FileDialogRequest request = m_request;
    for (;;) {
        IWinDialogService* service = WinDialogService();
        const FileDialogAnswer answer = service ? service->ShowFileDialog(request) : FileDialogAnswer{};
        if (!answer.confirmed) {
            return IDCANCEL;
        }
        const std::wstring path = PathToUse(answer.path);
        if (MayWrite(path)) {
            m_path = path;
            return IDOK;
        }
        // Back to the dialog with the name chosen, for another name or a cancel.
        request.fileName = path;
    }
}

std::wstring CFileDialog::PathToUse(const std::wstring& chosen) const
{
    return m_request.open ? chosen : WithDefaultExtension(chosen, m_request.defaultExtension);
}

bool CFileDialog::MayWrite(const std::wstring& path) const
{
    if (m_request.open || (m_request.flags & OFN_OVERWRITEPROMPT) == 0) {
        return true;
    }
    const std::optional<std::string> narrow = PathFromWideName(path.c_str());
    std::error_code error;
    // Any entry of that name counts, a dangling symbolic link or a folder too.
    if (!narrow || !std::filesystem::exists(std::filesystem::symlink_status(*narrow, error))) {
        return true;
    }
    const std::wstring question = BareFileName(path) + L" already exists.\nDo you want to replace it?";
    return MessageBoxW(m_request.owner, question.c_str(), L"Confirm Save As", MB_YESNO | MB_ICONWARNING) == IDYES;
}

std::wstring CFileDialog::GetFileName() const { return BareFileName(m_path); }
