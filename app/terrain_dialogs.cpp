#include "app/terrain_dialogs.h"

#include "terrain/heightfield.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>

namespace {

// Terrain heights stay well inside this, and a spin box needs bounds.
constexpr double kHeightLimit = 1.0e6;

QDoubleSpinBox* HeightBox(QDialog& dialog, const char* name, float value)
{
    auto* box = new QDoubleSpinBox(&dialog);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-kHeightLimit, kHeightLimit);
    box->setDecimals(3);
    box->setValue(static_cast<double>(value));
    return box;
}

} // namespace

std::optional<HeightRange> AskHeightRange(QWidget* owner, const QString& fileName, HeightRange suggested)
{
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("heightRangeDialog"));
    dialog.setWindowTitle(QStringLiteral("Height Range"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("\"%1\" does not say which heights its levels stand for.\n"
                                           "Heights of the lowest and the highest level:")
                                .arg(fileName),
                            &dialog));
    QDoubleSpinBox* low = HeightBox(dialog, "lowHeight", suggested.low);
    QDoubleSpinBox* high = HeightBox(dialog, "highHeight", suggested.high);
    form->addRow(QStringLiteral("Lowest"), low);
    form->addRow(QStringLiteral("Highest"), high);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return HeightRange{static_cast<float>(low->value()), static_cast<float>(high->value())};
}

std::optional<int> AskSide(QWidget* owner, const QString& title, int current)
{
    QInputDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("sideDialog"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(QStringLiteral("Samples a side:"));
    QStringList sides;
    for (const int side : SupportedSides()) {
        sides << QString::number(side);
    }
    dialog.setComboBoxItems(sides);
    dialog.setTextValue(QString::number(current));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toInt();
}

std::optional<int> AskTriangleCount(QWidget* owner, int fullCount)
{
    QInputDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("triangleDialog"));
    dialog.setWindowTitle(QStringLiteral("Export Mesh"));
    dialog.setLabelText(QStringLiteral("At most this many triangles (0: all %1):").arg(fullCount));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(0, fullCount);
    dialog.setIntValue(0);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.intValue();
}
