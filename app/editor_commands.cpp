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
#include "terrain/generation.h"
#include "world/height_file.h"
#include "world/terrain_world.h"

#include <QString>

#include <limits>
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

Result<std::optional<std::uint64_t>> ParseSeed(const std::wstring& text)
{
    const QString trimmed = QString::fromStdWString(text).trimmed();
    if (trimmed.isEmpty()) {
        return std::optional<std::uint64_t>();
    }
    bool ok = false;
    const qulonglong seed = trimmed.toULongLong(&ok, 10);
    if (!ok) {
        return Failure{"the seed \"" + trimmed.toStdString() + "\" is not a whole number from 0 to " +
                       std::to_string(std::numeric_limits<std::uint64_t>::max())};
    }
    return std::optional<std::uint64_t>(seed);
}

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

void CEditorCommands::SetGeneration(int side, std::wstring seedText)
{
    m_generationSide = side;
    m_seedText = std::move(seedText);
}

bool CEditorCommands::RefusedWhileBusy()
{
    if (!m_job.IsRunning()) {
        return false;
    }
    ShowStatus(L"Busy: " + m_job.Title().toStdWString() + L" is running; wait for it or cancel it");
    return true;
}

void CEditorCommands::New()
{
    if (RefusedWhileBusy()) {
        return;
    }
    const Result<std::optional<std::uint64_t>> seed = ParseSeed(m_seedText);
    if (!seed) {
        ShowStatus(L"Generate failed: " + Wide(seed.reason()));
        return;
    }
    if (!MayDiscardChanges(L"making a new terrain")) {
        return;
    }
    CTerrainWorld& world = m_document.World();
    const GenerationParameters parameters{m_generationSide, world.GetRoughness(),
                                          seed.value() ? *seed.value() : world.NewSeed()};
    const bool inBackground = parameters.side >= kBackgroundSide;
    if (inBackground) {
        ShowStatus(L"Generating a terrain of " + std::to_wstring(parameters.side) + L" x " +
                   std::to_wstring(parameters.side) + L" samples");
    }
    m_job.Run<Heightfield>(
        inBackground, QStringLiteral("Generate"), CBackgroundJob::OnCancel::Drop,
        [parameters](Progress* progress) { return GenerateHeightfield(parameters, progress); },
        [this, parameters](Result<Heightfield> made) {
            const Result<> applied =
                made ? m_document.ApplyNew(made.value(), parameters.seed) : Result<>(Failure{made.reason()});
            ShowStatus(applied ? L"creating new terain" : L"Generate failed: " + Wide(applied.reason()));
        });
}

CEditorCommands::ChosenFile CEditorCommands::ChooseHeightFile(bool open)
{
    // A saved height file is a ".txt" file: the dialog adds the extension to a name without it
    // and asks about, and returns, the file the save then writes, so the label names that file.
    static const std::wstring kHeightExtension = Wide(kHeightFileExtension);
    return ChooseFile(open, open ? nullptr : kHeightExtension.c_str());
}

CEditorCommands::ChosenFile CEditorCommands::ChooseFile(bool open, const wchar_t* defaultExtension,
                                                        const wchar_t* filter)
{
    const QString folder = m_settings.LastFolder();
    const std::wstring start = folder.isEmpty() ? std::wstring() : (folder + QLatin1Char('/')).toStdWString();
    CFileDialog dialog(open ? TRUE : FALSE, defaultExtension, start.empty() ? nullptr : start.c_str(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, m_owner);
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    m_settings.RememberFolderOf(QString::fromStdWString(dialog.GetPathName()));
    return {dialog.GetPathName(), dialog.GetFileName()};
}

void CEditorCommands::Open()
{
    if (RefusedWhileBusy() || !MayDiscardChanges(L"opening another file")) {
        return;
    }
    const ChosenFile file = ChooseHeightFile(true);
    if (!file.path.empty()) {
        (void)OpenChosen(file);
    }
}

void CEditorCommands::OpenFile(const std::wstring& path)
{
    if (RefusedWhileBusy() || !MayDiscardChanges(L"opening another file")) {
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
    const ChosenFile file = ChooseHeightFile(false);
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
    const ChosenFile file = ChooseHeightFile(true);
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

void CEditorCommands::Undo()
{
    if (!RefusedWhileBusy()) {
        m_document.Undo();
    }
}

void CEditorCommands::Redo()
{
    if (!RefusedWhileBusy()) {
        m_document.Redo();
    }
}

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
