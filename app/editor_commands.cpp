#include "app/editor_commands.h"

#include "app/editor_settings.h"
#include "base/wide_path.h"
#include "editor/terrain_document.h"
#include "graphics/resource_files.h"
#include "platform/d3dx9/image_file.h"
#include "platform/win/cwnd.h"
#include "platform/win/dialog_service.h"
#include "platform/win/win_api.h"
#include "scene/status.h"
#include "world/height_file.h"

#include <QString>

#include <optional>

namespace {

std::wstring Wide(const std::string& text) { return WideFromNarrow(text.c_str()); }

const std::string kNotUnicode = "the file name is not valid Unicode";

// File names go to the file streams as UTF-8, the narrow encoding of this platform.
Result<std::string> NarrowPath(const std::wstring& path)
{
    const std::optional<std::string> narrow = PathFromWideName(path.c_str());
    return narrow ? Result<std::string>(*narrow) : Result<std::string>(Failure{kNotUnicode});
}

// Success when the image can serve as a texture, or why not.
Result<> CheckTextureImage(const std::wstring& path)
{
    const Result<std::string> narrow = NarrowPath(path);
    if (!narrow) {
        return Failure{narrow.reason()};
    }
    const Result<DecodedImage> image = DecodedImage::FromFile(narrow.value());
    return image ? Result<>::Success() : Result<>(Failure{image.reason()});
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'/') + 1); }

} // namespace

CEditorCommands::CEditorCommands(CTerrainDocument& document, CEditorSettings& settings)
    : m_document(document), m_settings(settings)
{
}

int CEditorCommands::Ask(const std::wstring& text, unsigned int type) const
{
    return MessageBoxW(m_owner != nullptr ? m_owner->GetSafeHwnd() : nullptr, text.c_str(), L"Relief", type);
}

bool CEditorCommands::MayDiscardChanges(const std::wstring& action)
{
    if (!m_document.IsModified()) {
        return true;
    }
    const std::wstring question = L"The terrain \"" + m_document.DisplayName() +
                                  L"\" has unsaved changes.\nSave them before " + action +
                                  L"?\n\nYes saves them, No discards them, Cancel goes back.";
    switch (Ask(question, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
        return Save();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CEditorCommands::New()
{
    if (!MayDiscardChanges(L"making a new terrain")) {
        return;
    }
    m_document.New();
    ShowStatus(L"creating new terain");
}

CEditorCommands::ChosenFile CEditorCommands::ChooseFile(bool open)
{
    // A saved height file is a ".txt" file: the dialog adds the extension to a name without it
    // and asks about, and returns, the file the save then writes, so the label names that file.
    static const std::wstring kHeightExtension = Wide(kHeightFileExtension);
    const QString folder = m_settings.LastFolder();
    const std::wstring start = folder.isEmpty() ? std::wstring() : (folder + QLatin1Char('/')).toStdWString();
    CFileDialog dialog(open ? TRUE : FALSE, open ? nullptr : kHeightExtension.c_str(),
                       start.empty() ? nullptr : start.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr,
                       m_owner);
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    m_settings.RememberFolderOf(QString::fromStdWString(dialog.GetPathName()));
    return {dialog.GetPathName(), dialog.GetFileName()};
}

void CEditorCommands::Open()
{
    if (!MayDiscardChanges(L"opening another file")) {
        return;
    }
    const ChosenFile file = ChooseFile(true);
    if (!file.path.empty()) {
        (void)OpenChosen(file);
    }
}

void CEditorCommands::OpenFile(const std::wstring& path)
{
    if (!MayDiscardChanges(L"opening another file")) {
        return;
    }
    if (!OpenChosen({path, FileNameOf(path)})) {
        m_settings.RemoveRecentFile(QString::fromStdWString(path));
        if (m_recentFilesChanged) {
            m_recentFilesChanged();
        }
    }
}

Result<> CEditorCommands::OpenChosen(const ChosenFile& file)
{
    const Result<std::string> narrow = NarrowPath(file.path);
    const Result<> opened = narrow ? m_document.Open(narrow.value(), file.name) : Failure{narrow.reason()};
    if (!opened) {
        ShowStatus(L"Load failed: " + Wide(opened.reason()));
        return opened;
    }
    Remember(file.path);
    return {};
}

bool CEditorCommands::Save()
{
    return m_document.FilePath().empty() ? SaveAs() : SaveToPath(Wide(m_document.FilePath()));
}

bool CEditorCommands::SaveAs()
{
    const ChosenFile file = ChooseFile(false);
    return !file.path.empty() && SaveToPath(file.path);
}

bool CEditorCommands::SaveToPath(const std::wstring& path)
{
    const Result<std::string> narrow = NarrowPath(path);
    const Result<> saved = narrow ? m_document.SaveTo(narrow.value()) : Failure{narrow.reason()};
    if (!saved) {
        ShowStatus(L"Save failed: " + Wide(saved.reason()));
        return false;
    }
    Remember(Wide(m_document.FilePath()));
    return true;
}

void CEditorCommands::Remember(const std::wstring& path)
{
    m_settings.AddRecentFile(QString::fromStdWString(path));
    if (m_recentFilesChanged) {
        m_recentFilesChanged();
    }
}

void CEditorCommands::LoadTexture()
{
    const ChosenFile file = ChooseFile(true);
    if (file.path.empty()) {
        return;
    }
    // The floor looks its texture up at the next draw and reports a failure there; checking
    // now keeps the label and the floor's texture as they were when the image is unusable.
    // Decoding an unknown image is risky: unsaved work is secured first.
    m_document.BeforeRiskyStep();
    if (const Result<> usable = CheckTextureImage(file.path); !usable) {
        ShowStatus(L"Texture load failed: " + Wide(usable.reason()));
        return;
    }
    m_document.ChooseTexture(file.path);
}

void CEditorCommands::Undo() { m_document.Undo(); }

void CEditorCommands::Redo() { m_document.Redo(); }

void CEditorCommands::Quit()
{
    if (m_close) {
        m_close();
    }
}

void CEditorCommands::Escape()
{
    if (m_document.IsModified() || Ask(L"Quit Relief?", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        Quit();
    }
}
