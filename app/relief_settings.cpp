#include "app/relief_settings.h"

#include <QSettings>

#include "primitives/primitive_terrain.h"

namespace {

const QString kShadingKey = QStringLiteral("relief/shading");
const QString kSunAzimuthKey = QStringLiteral("relief/sunAzimuth");
const QString kSunElevationKey = QStringLiteral("relief/sunElevation");
const QString kSlopeKey = QStringLiteral("relief/slope");
const QString kContoursKey = QStringLiteral("relief/contours");
const QString kContourIntervalKey = QStringLiteral("relief/contourInterval");
const QString kWaterKey = QStringLiteral("relief/water");
const QString kWaterLevelKey = QStringLiteral("relief/waterLevel");

bool ReadBool(const QSettings& settings, const QString& key, bool fallback)
{
    const QVariant value = settings.value(key);
    return value.isValid() ? value.toBool() : fallback;
}

// A stored value that is not a number counts as missing.
float ReadFloat(const QSettings& settings, const QString& key, float fallback)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok ? static_cast<float>(value) : fallback;
}

} // namespace

TerrainReliefStyle LoadReliefStyle(const QSettings& settings)
{
    const TerrainReliefStyle defaults;
    TerrainReliefStyle style;
    style.shading = ReadBool(settings, kShadingKey, defaults.shading);
    style.sunAzimuth = ReadFloat(settings, kSunAzimuthKey, defaults.sunAzimuth);
    style.sunElevation = ReadFloat(settings, kSunElevationKey, defaults.sunElevation);
    style.slope = ReadBool(settings, kSlopeKey, defaults.slope);
    style.contours = ReadBool(settings, kContoursKey, defaults.contours);
    style.contourInterval = ReadFloat(settings, kContourIntervalKey, defaults.contourInterval);
    style.water = ReadBool(settings, kWaterKey, defaults.water);
    style.waterLevel = ReadFloat(settings, kWaterLevelKey, defaults.waterLevel);
    return style.Sanitised();
}

void SaveReliefStyle(QSettings& settings, const TerrainReliefStyle& style)
{
    settings.setValue(kShadingKey, style.shading);
    settings.setValue(kSunAzimuthKey, static_cast<double>(style.sunAzimuth));
    settings.setValue(kSunElevationKey, static_cast<double>(style.sunElevation));
    settings.setValue(kSlopeKey, style.slope);
    settings.setValue(kContoursKey, style.contours);
    settings.setValue(kContourIntervalKey, static_cast<double>(style.contourInterval));
    settings.setValue(kWaterKey, style.water);
    settings.setValue(kWaterLevelKey, static_cast<double>(style.waterLevel));
}

CReliefSettings::CReliefSettings(QSettings& settings, TQRD3D_PrimitiveTerrain& floor)
    : m_settings(settings), m_floor(floor), m_style(LoadReliefStyle(settings))
{
    m_floor.SetReliefStyle(m_style);
}

void CReliefSettings::SetStyle(const TerrainReliefStyle& style)
{
    const TerrainReliefStyle sanitised = style.Sanitised();
    if (sanitised == m_style) {
        return;
    }
    m_style = sanitised;
    m_floor.SetReliefStyle(m_style);
    SaveReliefStyle(m_settings, m_style);
    // A listener may remove itself or others.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        listener();
    }
}

void CReliefSettings::SetWaterLevel(float level)
{
    TerrainReliefStyle style = m_style;
    style.waterLevel = level;
    SetStyle(style);
}

int CReliefSettings::AddChangeListener(std::function<void()> listener)
{
    const int id = m_nextListener++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void CReliefSettings::RemoveChangeListener(int id) { m_listeners.erase(id); }
