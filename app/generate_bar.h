// The generate controls of the main window, a tool bar above the views: the size of the next
// terrain ("sizeChoice", 33 to 4097 samples a side, 65 at start), its seed ("seedField", empty
// for a new random seed each time), a "Generate" button that runs the same command as the main
// dialog's, and the seed of the current terrain ("seedText"). The choices go to the commands at
// every change, so File > New and both buttons use them.
#pragma once

#include <QToolBar>

class CEditorCommands;
class QComboBox;
class QLabel;
class QLineEdit;

class CGenerateBar final : public QToolBar {
public:
    // The commands must outlive the bar.
    CGenerateBar(CEditorCommands& commands, QWidget* parent);

    // Shows the current terrain's seed, or that it has none (loaded, resampled, imported).
    void ShowCurrentSeed();

private:
    void PassChoice();

    CEditorCommands& m_commands;
    QComboBox* m_size = nullptr;
    QLineEdit* m_seed = nullptr;
    QLabel* m_current = nullptr;
};
