// Resizing the main dialog: one control (the big view) grows with the dialog, every other
// control keeps its size and is anchored. A control beside the growing one (its left edge at or
// past the growing control's right edge) moves with the right edge; a control below it (its top
// at or past the growing control's bottom) moves with the bottom edge. A control inside a group
// box moves as its group box does, so that a group stays together.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

class CAnchoredLayout {
public:
    // Records the dialog's size and its controls' places as they are now (the smallest layout):
    // the dialog's direct child widgets that are not windows of their own.
    void Capture(QWidget& dialog, QWidget& growing);
    // Places the controls for the dialog's new size; sizes below the captured one count as it.
    void Apply(QSize size) const;
    QSize MinimumSize() const { return m_minimum; }

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect base;
        // The rectangle whose edges decide how the control moves: its own, or its group box's.
        QRect anchor;
    };

    QSize m_minimum;
    QPointer<QWidget> m_growing;
    QRect m_growingBase;
    std::vector<Placed> m_controls;
};
