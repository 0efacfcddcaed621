// The brush panel (View > Brush Panel), a dock beside the views: the brush's kind, radius in
// vertices (1 to 256), strength (0 to 1), falloff and the height the Set brush paints to. Every
// change goes to the brush tool at once and is remembered for the next run.
#pragma once

#include "terrain/brush.h"

#include <QDockWidget>

class CBrushTool;
class QComboBox;
class QDoubleSpinBox;
class QSettings;
class QSpinBox;

class CBrushPanel final : public QDockWidget {
public:
    // The tool and the settings must outlive the panel. The panel starts with the remembered
    // brush and hands it to the tool.
    CBrushPanel(CBrushTool& tool, QSettings& settings, QWidget* parent);

    // What the controls show, as a brush.
    Brush ChosenBrush() const;
    // Shows the brush in the controls, which pass it on.
    void ShowBrush(const Brush& brush);

private:
    void PassBrush();

    CBrushTool& m_tool;
    QSettings& m_settings;
    QComboBox* m_kind = nullptr;
    QSpinBox* m_radius = nullptr;
    QDoubleSpinBox* m_strength = nullptr;
    QComboBox* m_falloff = nullptr;
    QDoubleSpinBox* m_height = nullptr;
    bool m_showing = false;
};
