#include "app/number_field.h"

#include <QDoubleSpinBox>
#include <QFormLayout>

QDoubleSpinBox* AddNumberField(QFormLayout& form, const NumberField& field)
{
    auto* box = new QDoubleSpinBox(form.parentWidget());
    box->setObjectName(field.name);
    box->setDecimals(field.decimals);
    box->setRange(field.low, field.high);
    box->setSingleStep(field.step);
    box->setToolTip(field.toolTip);
    form.addRow(field.label, box);
    return box;
}
