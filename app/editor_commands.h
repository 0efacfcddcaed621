// The one home of every command that the menus, the shortcuts and the main dialog's buttons
// share. File commands ask before unsaved changes would be replaced (Save, Discard, Cancel, as
// a Yes/No/Cancel message box through the dialog service), report failures on the status line
// with the main dialog's texts, and keep the recent files and the last folder up to date.
#pragma once

#include "base/result.h"

#include <functional>
#include <string>

class CEditorSettings;
class CTerrainDocument;
class CWnd;

class CEditorCommands {
public:
    // Both must outlive the commands.
    CEditorCommands(CTerrainDocument& document, CEditorSettings& settings);

    CTerrainDocument& Document() { return m_document; }
    // The window that owns the questions and the file dialogs; until it is set they have none.
    void SetOwner(CWnd* owner) { m_owner = owner; }
    // Closes the main window, which asks about unsaved changes itself.
    void SetCloseRequest(std::function<void()> close) { m_close = std::move(close); }
    // Called when the recent files changed.
    void SetRecentFilesListener(std::function<void()> listener) { m_recentFilesChanged = std::move(listener); }

    // A new generated terrain ("Generate", File > New).
    void New();
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

    // With unsaved changes, asks whether to save them before the action (a phrase such as
    // "quitting"): true when the caller may go on (saved or discarded), false for Cancel or a
    // save that did not happen. Without unsaved changes, true at once.
    bool MayDiscardChanges(const std::wstring& action);

private:
    struct ChosenFile {
        std::wstring path; // empty when the user cancelled
        std::wstring name; // without its folder
    };

    ChosenFile ChooseFile(bool open);
    // Opens the chosen file; reports a failure on the status line.
    Result<> OpenChosen(const ChosenFile& file);
    bool SaveToPath(const std::wstring& path);
    void Remember(const std::wstring& path);
    int Ask(const std::wstring& text, unsigned int type) const;

    CTerrainDocument& m_document;
    CEditorSettings& m_settings;
    CWnd* m_owner = nullptr;
    std::function<void()> m_close;
    std::function<void()> m_recentFilesChanged;
};
