// Keeps the keys a focused control needs from the main window's single-key shortcuts: Space
// presses a focused button, and letters and Space go into a focused text field, instead of
// switching the animation, the wire frame or the selector. Installed on the application for as
// long as it lives.
#pragma once

#include <QObject>

class CTypingGuard final : public QObject {
public:
    CTypingGuard();
    ~CTypingGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
