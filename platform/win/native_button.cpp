// The "Button" class: push buttons, check boxes, radio buttons and group boxes. A click sends
// WM_COMMAND with BN_CLICKED to the parent, as BM_CLICK does. Check boxes and radio buttons behave as the
// automatic kinds: a check box toggles itself, a radio button checks itself and clears the
// other radio buttons of its group (the siblings from the nearest WS_GROUP control up to the
// next one). Three-state boxes, owner-drawn and bitmap buttons are left out.
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

enum class ButtonKind { Push, Check, Radio, Group };

ButtonKind KindOf(DWORD style)
{
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return ButtonKind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return ButtonKind::Radio;
    case BS_GROUPBOX:
        return ButtonKind::Group;
    default:
        return ButtonKind::Push;
    }
}

bool IsRadioButton(const WindowRecord& record)
{
    return IsWindowClass(record, kButtonClassName) && KindOf(record.style) == ButtonKind::Radio;
}

// The radio buttons that share a group with the given one, itself excluded.
std::vector<HWND> GroupMates(HWND button)
{
    const WindowTable& table = WindowTable::Instance();
    const WindowRecord* self = table.Find(button);
    const WindowRecord* parent = self ? table.Find(self->parent) : nullptr;
    if (!parent) {
        return {};
    }
    const auto& siblings = parent->children;
    const auto at = std::find(siblings.begin(), siblings.end(), button);
    auto first = at;
    while (first != siblings.begin() && !(table.Find(*first)->style & WS_GROUP)) {
        --first;
    }
    std::vector<HWND> mates;
    for (auto it = first; it != siblings.end(); ++it) {
        const WindowRecord* sibling = table.Find(*it);
        if (it != first && (sibling->style & WS_GROUP)) {
            break;
        }
        if (*it != button && IsRadioButton(*sibling)) {
            mates.push_back(*it);
        }
    }
    return mates;
}

class ButtonWindow final : public NativeWindow {
public:
    explicit ButtonWindow(QAbstractButton* button) : NativeWindow(button), m_button(button) {}
    explicit ButtonWindow(QGroupBox* box) : NativeWindow(box), m_box(box) {}

    void SetHandle(HWND handle) override
    {
        NativeWindow::SetHandle(handle);
        if (m_button) {
            // The connection names the window by handle: the widget may outlive the window
            // for a moment after DestroyWindow.
            QObject::connect(m_button, &QAbstractButton::clicked, m_button, [handle] { Clicked(handle); });
        }
    }

    LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case BM_GETCHECK:
            return m_button && m_button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            if (m_button && m_button->isCheckable()) {
                m_button->setChecked(wParam == static_cast<WPARAM>(BST_CHECKED));
            }
            return 0;
        case BM_CLICK:
            // As a click of the mouse: a check box toggles, and the parent hears BN_CLICKED.
            if (m_button && m_button->isEnabled()) {
                m_button->click();
            }
            return 0;
        default:
            return NativeWindow::DefProc(message, wParam, lParam);
        }
    }

protected:
    void ApplyText() override
    {
        const QString text = QString::fromStdWString(Text());
        if (m_button) {
            m_button->setText(text);
        } else if (m_box) {
            m_box->setTitle(text);
        }
    }

private:
    static void Clicked(HWND self)
    {
        const WindowRecord* record = WindowTable::Instance().Find(self);
        if (!record) {
            return;
        }
        if (IsRadioButton(*record)) {
            // A checked radio button stays checked when clicked again.
            SendMessageW(self, BM_SETCHECK, BST_CHECKED, 0);
            for (const HWND mate : GroupMates(self)) {
                SendMessageW(mate, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        SendMessageW(record->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(record->id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(self));
    }

    QPointer<QAbstractButton> m_button;
    QPointer<QGroupBox> m_box;
};

} // namespace

std::unique_ptr<NativeWindow> MakeButtonWindow(const NativeCreateParams& params, QWidget* parentWidget)
{
    switch (KindOf(params.style)) {
    case ButtonKind::Check: {
        auto* box = new QCheckBox(parentWidget);
        return std::make_unique<ButtonWindow>(static_cast<QAbstractButton*>(box));
    }
    case ButtonKind::Radio: {
        auto* radio = new QRadioButton(parentWidget);
        radio->setAutoExclusive(false); // groups follow WS_GROUP, not the Qt parent
        return std::make_unique<ButtonWindow>(static_cast<QAbstractButton*>(radio));
    }
    case ButtonKind::Group: {
        auto* box = new QGroupBox(parentWidget);
        box->setAttribute(Qt::WA_TransparentForMouseEvents); // only a frame, as on the platform
        return std::make_unique<ButtonWindow>(box);
    }
    case ButtonKind::Push:
    default:
        return std::make_unique<ButtonWindow>(static_cast<QAbstractButton*>(new QPushButton(parentWidget)));
    }
}
