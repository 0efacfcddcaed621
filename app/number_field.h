// A number in a tool window's form: a spin box with its object name (by which tests and the
// random session find it), label, range, decimals, arrow step and tool tip.
#pragma once

#include <QString>

class QDoubleSpinBox;
class QFormLayout;

struct NumberField {
    QString name;
    QString label;
    double low = 0.0;
    double high = 1.0;
    int decimals = 2;
    double step = 1.0;
    QString toolTip;
};

// Makes the spin box, adds it to the form under its label and returns it.
QDoubleSpinBox* AddNumberField(QFormLayout& form, const NumberField& field);
