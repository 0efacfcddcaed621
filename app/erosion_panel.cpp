#include "app/erosion_panel.h"

#include "app/editor_commands.h"
#include "app/number_field.h"
#include "scene/status.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cmath>
#include <variant>

namespace {

// One parameter's control: the member it sets, the range the operation accepts, the decimals
// shown (0 for a whole number) and the step of the arrows.
template <typename P> struct ParameterField {
    const char* name;
    const char* label;
    std::variant<int P::*, float P::*> member;
    double low;
    double high;
    int decimals;
    double step;
    const char* toolTip;
};

const std::vector<ParameterField<HydraulicErosionParameters>>& HydraulicFields()
{
    using P = HydraulicErosionParameters;
    static const std::vector<ParameterField<P>> fields = {
        {"droplets", "Droplets", &P::droplets, 1, 1e7, 0, 1000, "Droplets, one after another"},
        {"erosionRadius", "Erosion radius", &P::erosionRadius, 1, 8, 0, 1, "Samples around a droplet that it erodes"},
        {"inertia", "Inertia", &P::inertia, 0, 1, 3, 0.01, "How much of its direction a droplet keeps"},
        {"sedimentCapacity", "Sediment capacity", &P::sedimentCapacity, 0, 64, 3, 0.5,
         "Sediment carried per unit of slope, speed and water"},
        {"minSlope", "Min slope", &P::minSlope, 0, 1, 3, 0.01, "The slope the capacity assumes on flatter ground"},
        {"erosion", "Erosion", &P::erosion, 0, 1, 3, 0.05, "Share of its spare capacity a droplet takes up per step"},
        {"deposition", "Deposition", &P::deposition, 0, 1, 3, 0.05,
         "Share of its excess sediment a droplet lays down per step"},
        {"evaporation", "Evaporation", &P::evaporation, 0, 1, 3, 0.01, "Share of its water a droplet loses per step"},
        {"gravity", "Gravity", &P::gravity, 0, 64, 3, 0.5, "How fast droplets gain speed going down"},
        {"maxLifetime", "Max lifetime", &P::maxLifetime, 1, 1000, 0, 1,
         "Steps before a droplet lays down everything it carries"},
    };
    return fields;
}

const std::vector<ParameterField<ThermalErosionParameters>>& ThermalFields()
{
    using P = ThermalErosionParameters;
    static const std::vector<ParameterField<P>> fields = {
        {"talusAngle", "Talus angle (degrees)", &P::talusAngleDegrees, 0, 89, 2, 1,
         "The steepest slope that stays as it is"},
        {"iterations", "Iterations", &P::iterations, 1, 10000, 0, 10, "Sweeps over the terrain"},
        {"rate", "Rate", &P::rate, 0, 1, 3, 0.05,
         "Share of a slope's excess one sweep settles; lower values give softer shapes"},
    };
    return fields;
}

} // namespace

// The spin boxes of one kind of erosion, in a page of their own.
template <typename P> class CErosionPanel::Form {
public:
    Form(const std::vector<ParameterField<P>>& fields, QFormLayout& layout) : m_fields(fields)
    {
        const P defaults{};
        for (const ParameterField<P>& field : m_fields) {
            QDoubleSpinBox* box =
                AddNumberField(layout, {QString::fromLatin1(field.name), QString::fromLatin1(field.label), field.low,
                                        field.high, field.decimals, field.step, QString::fromLatin1(field.toolTip)});
            box->setValue(std::visit([&](auto member) { return static_cast<double>(defaults.*member); }, field.member));
            m_boxes.push_back(box);
        }
    }

    P Read(P parameters) const
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const double value = m_boxes[i]->value();
            std::visit(
                [&](auto member) {
                    using Value = std::remove_reference_t<decltype(parameters.*member)>;
                    parameters.*member =
                        std::is_integral_v<Value> ? static_cast<Value>(std::lround(value)) : static_cast<Value>(value);
                },
                m_fields[i].member);
        }
        return parameters;
    }

private:
    const std::vector<ParameterField<P>>& m_fields;
    std::vector<QDoubleSpinBox*> m_boxes;
};

CErosionPanel::CErosionPanel(CEditorCommands& commands, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_commands(commands)
{
    setObjectName(QStringLiteral("erosionPanel"));
    setWindowTitle(QStringLiteral("Erode"));
    auto* layout = new QVBoxLayout(this);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("erosionKind"));
    m_kind->addItem(QStringLiteral("Hydraulic (droplets of water)"));
    m_kind->addItem(QStringLiteral("Thermal (slumping at the talus angle)"));
    layout->addWidget(m_kind);

    auto* pages = new QStackedWidget(this);
    auto* hydraulicPage = new QWidget(pages);
    auto* hydraulicLayout = new QFormLayout(hydraulicPage);
    m_seed = new QLineEdit(QString::number(HydraulicErosionParameters{}.seed), hydraulicPage);
    m_seed->setObjectName(QStringLiteral("erosionSeed"));
    m_seed->setToolTip(QStringLiteral("Where the droplets start: the same seed erodes the same way"));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,20}\\s*")), m_seed));
    m_hydraulic = std::make_unique<Form<HydraulicErosionParameters>>(HydraulicFields(), *hydraulicLayout);
    hydraulicLayout->insertRow(1, QStringLiteral("Seed"), m_seed);
    auto* thermalPage = new QWidget(pages);
    m_thermal = std::make_unique<Form<ThermalErosionParameters>>(ThermalFields(), *new QFormLayout(thermalPage));
    pages->addWidget(hydraulicPage);
    pages->addWidget(thermalPage);
    layout->addWidget(pages);
    QObject::connect(m_kind, &QComboBox::currentIndexChanged, pages, &QStackedWidget::setCurrentIndex);

    m_erode = new QPushButton(QStringLiteral("Erode"), this);
    m_erode->setObjectName(QStringLiteral("erodeButton"));
    m_erode->setToolTip(QStringLiteral("Erode the terrain as one undo step; the status bar shows the progress and "
                                       "Cancel"));
    layout->addWidget(m_erode);
    QObject::connect(m_erode, &QPushButton::clicked, this, [this] { Erode(); });
}

CErosionPanel::~CErosionPanel() = default;

void CErosionPanel::SetBusy(bool busy) { m_erode->setEnabled(!busy); }

std::optional<ErosionChoice> CErosionPanel::Choice() const
{
    if (m_kind->currentIndex() == 1) {
        return ErosionChoice(m_thermal->Read(ThermalErosionParameters{}));
    }
    const Result<std::optional<std::uint64_t>> seed = ParseSeed(m_seed->text().toStdWString());
    if (!seed) {
        ShowStatus(L"Erode failed: " + QString::fromStdString(seed.reason()).toStdWString());
        return std::nullopt;
    }
    HydraulicErosionParameters parameters = m_hydraulic->Read(HydraulicErosionParameters{});
    parameters.seed = seed.value().value_or(parameters.seed);
    return ErosionChoice(parameters);
}

void CErosionPanel::Erode()
{
    if (const std::optional<ErosionChoice> choice = Choice()) {
        ::Erode(m_commands, *choice);
    }
}
