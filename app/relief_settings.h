// The floor's relief style as the user chose it (View > Shading, View > Overlays, the sun and
// overlay panel): applied to the floor at once, kept in the editor's QSettings between runs, and
// told to listeners after each change. The water level is bound here, so any panel that shows
// it (the statistics panel's share under water, say) reads and sets the same value.
#pragma once

#include <functional>
#include <map>

#include "primitives/terrain_relief.h"

class QSettings;
class TQRD3D_PrimitiveTerrain;

// The style stored in the settings; defaults for what is missing, sanitised.
TerrainReliefStyle LoadReliefStyle(const QSettings& settings);
void SaveReliefStyle(QSettings& settings, const TerrainReliefStyle& style);

class CReliefSettings {
public:
    // Loads the stored style and gives it to the floor. The settings and the floor must outlive
    // this object.
    CReliefSettings(QSettings& settings, TQRD3D_PrimitiveTerrain& floor);

    const TerrainReliefStyle& Style() const { return m_style; }
    // Sanitises, applies, stores and tells the listeners; nothing when the style is the same.
    void SetStyle(const TerrainReliefStyle& style);

    float WaterLevel() const { return m_style.waterLevel; }
    void SetWaterLevel(float level);

    // Called after every change of the style; returns an id for RemoveChangeListener.
    int AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(int id);

private:
    QSettings& m_settings;
    TQRD3D_PrimitiveTerrain& m_floor;
    TerrainReliefStyle m_style;
    std::map<int, std::function<void()>> m_listeners;
    int m_nextListener = 1;
};
