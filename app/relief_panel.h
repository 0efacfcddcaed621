// The small tool window behind View > Sun... and View > Overlays > Overlay Settings...: the sun's
// azimuth and elevation as two sliders, the contour interval and the water level as number
// fields. Each change goes to the relief settings at once; the fields follow changes made
// elsewhere (the menu switches, another panel binding the water level).
#pragma once

#include <QWidget>

#include <functional>

#include "primitives/terrain_relief.h"

class QDoubleSpinBox;
class QLabel;
class QSlider;
class CReliefSettings;

class CReliefPanel final : public QWidget {
public:
    // The settings must outlive the panel.
    CReliefPanel(CReliefSettings& relief, QWidget* parent);
    ~CReliefPanel() override;

private:
    // The controls show the settings' style, without reporting it back as a change.
    void ShowStyle();
    // Changes one field of the style, as the control that called it shows it.
    void Change(const std::function<void(TerrainReliefStyle&)>& edit);

    CReliefSettings& m_relief;
    int m_listener = 0;
    QSlider* m_azimuth = nullptr;
    QSlider* m_elevation = nullptr;
    QLabel* m_azimuthText = nullptr;
    QLabel* m_elevationText = nullptr;
    QDoubleSpinBox* m_contourInterval = nullptr;
    QDoubleSpinBox* m_waterLevel = nullptr;
};
