// The Terrain > Erode... tool window: the kind of erosion (hydraulic or thermal) and its
// parameters, each starting at the parameter structs' defaults (the command line's too) and
// held by its spin box to the range the operation accepts, and "Erode", which starts the
// erosion on the background job. The panel stays open while the user undoes and tries again.
#pragma once

#include "app/erosion_command.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class CEditorCommands;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;

class CErosionPanel final : public QWidget {
public:
    // The commands must outlive the panel.
    CErosionPanel(CEditorCommands& commands, QWidget* parent);
    ~CErosionPanel() override;

    // Erode waits while a job runs.
    void SetBusy(bool busy);
    // The parameters as the controls hold them; none, with the reason on the status line, for a
    // seed that is not a whole number of 64 bits.
    std::optional<ErosionChoice> Choice() const;

private:
    template <typename P> class Form;

    void Erode();

    CEditorCommands& m_commands;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_seed = nullptr;
    QPushButton* m_erode = nullptr;
    std::unique_ptr<Form<HydraulicErosionParameters>> m_hydraulic;
    std::unique_ptr<Form<ThermalErosionParameters>> m_thermal;
};
