#include "platform/win/dialog_service.h"

#include "platform/win/cwnd.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QFileDialog>
#include <QMessageBox>

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
        const QFileDialog::Options options =
            (request.flags & OFN_OVERWRITEPROMPT) ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
        // The dialog adds the default extension itself, before it asks about overwriting, so the
        // question is about the file that will really be written.
        QFileDialog dialog(parent, QString(), name, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOptions(options);
        dialog.setDefaultSuffix(QString::fromStdWString(request.defaultExtension));
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
        return IDOK;
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
    IWinDialogService* service = WinDialogService();
    const FileDialogAnswer answer = service ? service->ShowFileDialog(m_request) : FileDialogAnswer{};
    if (!answer.confirmed) {
        return IDCANCEL;
    }
    m_path = answer.path;
    return IDOK;
}

std::wstring CFileDialog::GetFileName() const
{
    const std::size_t slash = m_path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? m_path : m_path.substr(slash + 1);
}
