#include "app/brush_panel.h"

#include "app/brush_tool.h"
#include "app/number_field.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSettings>
#include <QSpinBox>

#include <utility>

namespace {

const std::pair<BrushKind, const char*> kKinds[] = {
    {BrushKind::Raise, "Raise"},     {BrushKind::Lower, "Lower"}, {BrushKind::Smooth, "Smooth"},
    {BrushKind::Flatten, "Flatten"}, {BrushKind::Noise, "Noise"}, {BrushKind::Set, "Set"},
};
const std::pair<BrushFalloff, const char*> kFalloffs[] = {
    {BrushFalloff::Smooth, "Smooth"},
    {BrushFalloff::Linear, "Linear"},
    {BrushFalloff::Constant, "Constant"},
};
// The heights a terrain is edited in; the Set brush's target stays within them.
constexpr double kLowestHeight = -1000.0;
constexpr double kHighestHeight = 1000.0;

template <typename Choices> QComboBox* MakeChoice(const Choices& choices, const QString& name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const auto& [value, text] : choices) {
        box->addItem(QString::fromLatin1(text), static_cast<int>(value));
    }
    return box;
}

void Choose(QComboBox& box, int value)
{
    const int index = box.findData(value);
    box.setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

CBrushPanel::CBrushPanel(CBrushTool& tool, QSettings& settings, QWidget* parent)
    : QDockWidget(QStringLiteral("Brush"), parent), m_tool(tool), m_settings(settings)
{
    setObjectName(QStringLiteral("brushPanel"));
    auto* body = new QWidget(this);
    auto* form = new QFormLayout(body);
    m_kind = MakeChoice(kKinds, QStringLiteral("brushKind"), body);
    m_kind->setToolTip(QStringLiteral("What a stroke does to the heights under the brush"));
    form->addRow(QStringLiteral("Kind"), m_kind);
    m_radius = new QSpinBox(body);
    m_radius->setObjectName(QStringLiteral("brushRadius"));
    m_radius->setRange(static_cast<int>(kSmallestBrushRadius), static_cast<int>(kLargestBrushRadius));
    m_radius->setToolTip(QStringLiteral("The brush's radius in vertices"));
    form->addRow(QStringLiteral("Radius"), m_radius);
    m_strength = AddNumberField(*form, {QStringLiteral("brushStrength"), QStringLiteral("Strength"), 0.0, 1.0, 2, 0.05,
                                        QStringLiteral("How much one dab changes: world units for raise, lower and "
                                                       "noise, the share of the way for smooth and flatten")});
    m_falloff = MakeChoice(kFalloffs, QStringLiteral("brushFalloff"), body);
    m_falloff->setToolTip(QStringLiteral("How the brush's weight falls from its centre to its rim"));
    form->addRow(QStringLiteral("Falloff"), m_falloff);
    m_height = AddNumberField(*form, {QStringLiteral("brushHeight"), QStringLiteral("Set height"), kLowestHeight,
                                      kHighestHeight, 2, 1.0, QStringLiteral("The height the Set brush paints to")});
    setWidget(body);

    const Brush defaults;
    Brush remembered;
    remembered.kind =
        static_cast<BrushKind>(m_settings.value(QStringLiteral("brush/kind"), static_cast<int>(defaults.kind)).toInt());
    remembered.radius = m_settings.value(QStringLiteral("brush/radius"), defaults.radius).toFloat();
    remembered.strength = m_settings.value(QStringLiteral("brush/strength"), defaults.strength).toFloat();
    remembered.falloff = static_cast<BrushFalloff>(
        m_settings.value(QStringLiteral("brush/falloff"), static_cast<int>(defaults.falloff)).toInt());
    remembered.height = m_settings.value(QStringLiteral("brush/height"), defaults.height).toFloat();
    ShowBrush(remembered);

    const auto changed = [this] { PassBrush(); };
    QObject::connect(m_kind, &QComboBox::currentIndexChanged, this, changed);
    QObject::connect(m_radius, &QSpinBox::valueChanged, this, changed);
    QObject::connect(m_strength, &QDoubleSpinBox::valueChanged, this, changed);
    QObject::connect(m_falloff, &QComboBox::currentIndexChanged, this, changed);
    QObject::connect(m_height, &QDoubleSpinBox::valueChanged, this, changed);
}

Brush CBrushPanel::ChosenBrush() const
{
    Brush brush;
    brush.kind = static_cast<BrushKind>(m_kind->currentData().toInt());
    brush.radius = static_cast<float>(m_radius->value());
    brush.strength = static_cast<float>(m_strength->value());
    brush.falloff = static_cast<BrushFalloff>(m_falloff->currentData().toInt());
    brush.height = static_cast<float>(m_height->value());
    return brush;
}

void CBrushPanel::ShowBrush(const Brush& brush)
{
    // The spin boxes and choices clamp what the settings file may hold out of range.
    m_showing = true;
    Choose(*m_kind, static_cast<int>(brush.kind));
    m_radius->setValue(static_cast<int>(brush.radius));
    m_strength->setValue(brush.strength);
    Choose(*m_falloff, static_cast<int>(brush.falloff));
    m_height->setValue(brush.height);
    m_showing = false;
    PassBrush();
}

void CBrushPanel::PassBrush()
{
    if (m_showing) {
        return;
    }
    const Brush brush = ChosenBrush();
    m_tool.SetBrush(brush);
    m_settings.setValue(QStringLiteral("brush/kind"), static_cast<int>(brush.kind));
    m_settings.setValue(QStringLiteral("brush/radius"), brush.radius);
    m_settings.setValue(QStringLiteral("brush/strength"), brush.strength);
    m_settings.setValue(QStringLiteral("brush/falloff"), static_cast<int>(brush.falloff));
    m_settings.setValue(QStringLiteral("brush/height"), brush.height);
}
