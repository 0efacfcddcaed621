#include "app/generate_bar.h"

#include "app/editor_commands.h"
#include "editor/terrain_document.h"
#include "terrain/heightfield.h"
#include "world/terrain_world.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

CGenerateBar::CGenerateBar(CEditorCommands& commands, QWidget* parent)
    : QToolBar(QStringLiteral("Generate"), parent), m_commands(commands)
{
    setObjectName(QStringLiteral("generateBar"));
    setMovable(false);

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("sizeChoice"));
    m_size->setToolTip(QStringLiteral("Samples a side of the next generated terrain"));
    for (const int side : SupportedSides()) {
        m_size->addItem(QStringLiteral("%1 x %1").arg(side), side);
    }
    m_size->setCurrentIndex(m_size->findData(commands.GenerationSide()));

    m_seed = new QLineEdit(this);
    m_seed->setObjectName(QStringLiteral("seedField"));
    m_seed->setPlaceholderText(QStringLiteral("random"));
    m_seed->setToolTip(QStringLiteral("The seed of the next generated terrain; empty for a new random seed each time"));
    // Digits only; a number too large for a seed is refused with a message when generating.
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,20}\\s*")), m_seed));
    m_seed->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);

    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("seedText"));
    m_current->setToolTip(QStringLiteral("The seed the current terrain was generated from"));

    addWidget(new QLabel(QStringLiteral(" Size "), this));
    addWidget(m_size);
    addWidget(new QLabel(QStringLiteral(" Seed "), this));
    addWidget(m_seed);
    QAction* generate = addAction(QStringLiteral("Generate"));
    generate->setObjectName(QStringLiteral("generateAction"));
    generate->setToolTip(QStringLiteral("A new terrain of this size from this seed"));
    addSeparator();
    addWidget(m_current);

    QObject::connect(m_size, &QComboBox::currentIndexChanged, this, [this] { PassChoice(); });
    QObject::connect(m_seed, &QLineEdit::textChanged, this, [this] { PassChoice(); });
    QObject::connect(m_seed, &QLineEdit::returnPressed, this, [this] { m_commands.New(); });
    QObject::connect(generate, &QAction::triggered, this, [this] { m_commands.New(); });
    PassChoice();
    ShowCurrentSeed();
}

void CGenerateBar::PassChoice()
{
    m_commands.SetGeneration(m_size->currentData().toInt(), m_seed->text().toStdWString());
}

void CGenerateBar::ShowCurrentSeed()
{
    const std::optional<std::uint64_t> seed = m_commands.Document().World().CurrentSeed();
    m_current->setText(seed ? QStringLiteral("Terrain seed %1").arg(static_cast<qulonglong>(*seed))
                            : QStringLiteral("Terrain seed unknown"));
}
