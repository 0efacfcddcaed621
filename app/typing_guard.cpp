#include "app/typing_guard.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool TakesText(const QObject* widget)
{
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QTextEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr || (combo != nullptr && combo->isEditable());
}

} // namespace

CTypingGuard::CTypingGuard() { QCoreApplication::instance()->installEventFilter(this); }

CTypingGuard::~CTypingGuard()
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool CTypingGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
    const bool space = key->key() == Qt::Key_Space;
    const bool typing = TakesText(watched) && !key->text().isEmpty();
    const bool pressing = space && qobject_cast<const QAbstractButton*>(watched) != nullptr;
    if (plain && (typing || pressing)) {
        // Accepting the override hands the key to the widget as a key press.
        event->accept();
        return true;
    }
    return false;
}
