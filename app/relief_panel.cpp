#include "app/relief_panel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

#include "app/number_field.h"
#include "app/relief_settings.h"

namespace {

QSlider* AddSlider(QFormLayout& form, const QString& label, const QString& name, int low, int high, QLabel*& text)
{
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(low, high);
    text = new QLabel;
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QStringLiteral("360°")));
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(text);
    form.addRow(label, row);
    return slider;
}

QDoubleSpinBox* AddNumber(QFormLayout& form, const QString& label, const QString& name, double low, double high,
                          const QString& toolTip)
{
    QDoubleSpinBox* field = AddNumberField(form, {name, label, low, high, 2, 0.5, toolTip});
    field->setSuffix(QStringLiteral(" units"));
    return field;
}

} // namespace

CReliefPanel::CReliefPanel(CReliefSettings& relief, QWidget* parent) : QWidget(parent, Qt::Tool), m_relief(relief)
{
    setObjectName(QStringLiteral("reliefPanel"));
    setWindowTitle(QStringLiteral("Sun and Overlays"));
    auto* sun = new QGroupBox(QStringLiteral("Sun (View > Shading)"));
    auto* sunForm = new QFormLayout(sun);
    m_azimuth = AddSlider(*sunForm, QStringLiteral("&Azimuth"), QStringLiteral("sunAzimuth"), 0, 359, m_azimuthText);
    m_azimuth->setToolTip(QStringLiteral("Where the sun stands, in compass degrees: 0 towards the grid's first row "
                                         "(the far edge as the big view starts), 90 towards its last column"));
    m_elevation = AddSlider(*sunForm, QStringLiteral("&Elevation"), QStringLiteral("sunElevation"),
                            static_cast<int>(TerrainReliefStyle::kMinSunElevation),
                            static_cast<int>(TerrainReliefStyle::kMaxSunElevation), m_elevationText);
    m_elevation->setToolTip(QStringLiteral("How high the sun stands above the horizon, in degrees"));
    auto* overlays = new QGroupBox(QStringLiteral("Overlays (View > Overlays)"));
    auto* overlayForm = new QFormLayout(overlays);
    m_contourInterval = AddNumber(*overlayForm, QStringLiteral("&Contour interval"), QStringLiteral("contourInterval"),
                                  TerrainReliefStyle::kMinContourInterval, TerrainReliefStyle::kMaxContourInterval,
                                  QStringLiteral("Height between neighbouring contour lines"));
    m_waterLevel = AddNumber(*overlayForm, QStringLiteral("&Water level"), QStringLiteral("waterLevel"),
                             -TerrainReliefStyle::kWaterLevelLimit, TerrainReliefStyle::kWaterLevelLimit,
                             QStringLiteral("Height of the water plane"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sun);
    layout->addWidget(overlays);

    ShowStyle();
    QObject::connect(m_azimuth, &QSlider::valueChanged, this, [this](int degrees) {
        Change([degrees](auto& style) { style.sunAzimuth = static_cast<float>(degrees); });
    });
    QObject::connect(m_elevation, &QSlider::valueChanged, this, [this](int degrees) {
        Change([degrees](auto& style) { style.sunElevation = static_cast<float>(degrees); });
    });
    QObject::connect(m_contourInterval, &QDoubleSpinBox::valueChanged, this, [this](double interval) {
        Change([interval](auto& style) { style.contourInterval = static_cast<float>(interval); });
    });
    QObject::connect(m_waterLevel, &QDoubleSpinBox::valueChanged, this, [this](double level) {
        Change([level](auto& style) { style.waterLevel = static_cast<float>(level); });
    });
    m_listener = m_relief.AddChangeListener([this] { ShowStyle(); });
}

CReliefPanel::~CReliefPanel() { m_relief.RemoveChangeListener(m_listener); }

void CReliefPanel::ShowStyle()
{
    const TerrainReliefStyle& style = m_relief.Style();
    const QSignalBlocker azimuth(m_azimuth);
    const QSignalBlocker elevation(m_elevation);
    const QSignalBlocker interval(m_contourInterval);
    const QSignalBlocker water(m_waterLevel);
    m_azimuth->setValue(static_cast<int>(std::lround(style.sunAzimuth)) % 360);
    m_elevation->setValue(static_cast<int>(std::lround(style.sunElevation)));
    m_contourInterval->setValue(static_cast<double>(style.contourInterval));
    m_waterLevel->setValue(static_cast<double>(style.waterLevel));
    m_azimuthText->setText(QStringLiteral("%1°").arg(m_azimuth->value()));
    m_elevationText->setText(QStringLiteral("%1°").arg(m_elevation->value()));
}

void CReliefPanel::Change(const std::function<void(TerrainReliefStyle&)>& edit)
{
    TerrainReliefStyle style = m_relief.Style();
    edit(style);
    m_relief.SetStyle(style);
    // The labels follow the sliders even when the style did not change.
    ShowStyle();
}
