// The one home of every command that the menus, the shortcuts and the main dialog's buttons
// share. File commands ask before unsaved changes would be replaced (Save, Discard, Cancel, as
// a Yes/No/Cancel message box through the dialog service), report failures on the status line
// with the main dialog's texts, and keep the recent files and the last folder up to date.
#pragma once

#include "app/background_job.h"
#include "base/result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CEditorSettings;

// The seed as typed: none for an empty field, else a whole number that fits 64 bits,
// surrounding spaces allowed; a reason otherwise.
Result<std::optional<std::uint64_t>> ParseSeed(const std::wstring& text);

class CTerrainDocument;
class CWnd;

class CEditorCommands {
public:
    // Both must outlive the commands.
    CEditorCommands(CTerrainDocument& document, CEditorSettings& settings);

    CTerrainDocument& Document() { return m_document; }
    // The runner of heavy work; while it runs, the commands that change the terrain or start
    // other heavy work are refused with a status message.
    CBackgroundJob& Job() { return m_job; }
    // True, with the status message, while a job runs.
    bool RefusedWhileBusy();
    // The window that owns the questions and the file dialogs; until it is set they have none.
    void SetOwner(CWnd* owner) { m_owner = owner; }
    // Closes the main window, which asks about unsaved changes itself.
    void SetCloseRequest(std::function<void()> close) { m_close = std::move(close); }
    // Called when the recent files changed.
    void SetRecentFilesListener(std::function<void()> listener) { m_recentFilesChanged = std::move(listener); }

    // A new generated terrain ("Generate", File > New) at the chosen side and seed; from
    // kBackgroundSide on, on a worker.
    void New();
    // What the next generation uses: side x side samples, and the seed as the user typed it
    // (empty: a new random seed each time).
    void SetGeneration(int side, std::wstring seedText);
    int GenerationSide() const { return m_generationSide; }
    // Asks for a height file and opens it ("Load", File > Open).
    void Open();
    // Opens the height file at path (recent files, the command line). A file that cannot be
    // loaded leaves the recent files.
    void OpenFile(const std::wstring& path);
    // Saves to the document's file, or asks for one when it has none. False when nothing was
    // saved.
    bool Save();
    // Asks for a file and saves to it ("SAVE", File > Save As).
    bool SaveAs();
    // Asks for an image for the floor ("Load Texture").
    void LoadTexture();
    void Undo();
    void Redo();
    // File > Quit and the "Quit" button.
    void Quit();
    // Escape never closes the window unasked: with unsaved changes the window's question
    // comes, without them "Quit Relief?".
    void Escape();

    // Asks for a file: for opening, or for writing with defaultExtension added to a name without
    // one (none: the name as typed). filter is the dialog's "Name|pattern|" list. The chosen
    // folder becomes the last folder; path is empty when the user cancelled.
    struct ChosenFile {
        std::wstring path; // empty when the user cancelled
        std::wstring name; // without its folder
    };
    ChosenFile ChooseFile(bool open, const wchar_t* defaultExtension, const wchar_t* filter = nullptr);
    // The window that owns the questions, or null.
    CWnd* Owner() const { return m_owner; }

    // With unsaved changes, asks whether to save them before the action (a phrase such as
    // "quitting"): true when the caller may go on (saved or discarded), false for Cancel or a
    // save that did not happen. Without unsaved changes, true at once.
    bool MayDiscardChanges(const std::wstring& action);

private:
    ChosenFile ChooseHeightFile(bool open);
    // Opens the chosen file; reports a failure on the status line.
    Result<> OpenChosen(const ChosenFile& file);
    bool SaveToPath(const std::wstring& path);
    void Remember(const std::wstring& path);
    int Ask(const std::wstring& text, unsigned int type) const;

    CTerrainDocument& m_document;
    CEditorSettings& m_settings;
    CWnd* m_owner = nullptr;
    int m_generationSide = 65;
    std::wstring m_seedText;
    std::function<void()> m_close;
    std::function<void()> m_recentFilesChanged;
    CBackgroundJob m_job;
};
