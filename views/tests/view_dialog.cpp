#include "view_dialog.h"

#include "platform/win/dialog_template.h"
#include "scene/status.h"

namespace {

constexpr UINT kTemplateId = 9610;

void RegisterViewTemplate()
{
    DialogTemplate t;
    t.id = kTemplateId;
    t.cx = 400;
    t.cy = 200;
    t.controls = {
        {kBigViewPlaceholder, DialogControlKind::Static, L"", {10, 10, 240, 160}, SS_SUNKEN},
        {kSmallViewPlaceholder, DialogControlKind::Static, L"Small View PlaceHolder", {260, 10, 120, 100}, SS_SUNKEN},
    };
    RegisterDialogTemplate(t);
}

} // namespace

ViewTestDialog::ViewTestDialog() : CDialog(kTemplateId)
{
    RegisterViewTemplate();
    if (Create(kTemplateId)) {
        ShowWindow(SW_SHOW);
    }
}

StatusCapture::StatusCapture()
{
    SetStatusSink([this](const std::wstring& text) { m_texts.push_back(text); });
}

StatusCapture::~StatusCapture() { SetStatusSink({}); }
