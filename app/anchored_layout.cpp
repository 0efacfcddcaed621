#include "app/anchored_layout.h"

#include <QGroupBox>

#include <algorithm>

void CAnchoredLayout::Capture(QWidget& dialog, QWidget& growing)
{
    m_minimum = dialog.size();
    m_growing = &growing;
    m_growingBase = growing.geometry();
    m_controls.clear();
    std::vector<QRect> groups;
    const QList<QWidget*> children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children) {
        if (qobject_cast<const QGroupBox*>(child) != nullptr) {
            groups.push_back(child->geometry());
        }
    }
    for (QWidget* child : children) {
        if (child == &growing || child->isWindow()) {
            continue;
        }
        const QRect base = child->geometry();
        const auto group = std::find_if(groups.begin(), groups.end(),
                                        [&](const QRect& box) { return box != base && box.contains(base); });
        m_controls.push_back({child, base, group != groups.end() ? *group : base});
    }
}

void CAnchoredLayout::Apply(QSize size) const
{
    const int dx = std::max(0, size.width() - m_minimum.width());
    const int dy = std::max(0, size.height() - m_minimum.height());
    if (m_growing) {
        m_growing->setGeometry(m_growingBase.adjusted(0, 0, dx, dy));
    }
    for (const Placed& control : m_controls) {
        if (!control.widget) {
            continue;
        }
        const bool right = control.anchor.left() >= m_growingBase.left() + m_growingBase.width();
        const bool bottom = control.anchor.top() >= m_growingBase.top() + m_growingBase.height();
        control.widget->move(control.base.topLeft() + QPoint(right ? dx : 0, bottom ? dy : 0));
    }
}
