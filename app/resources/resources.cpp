#include "app/resources/resources.h"

#include "app/resources/main_dialog_ids.h"
#include "app/resources/panel_templates.h"

void RegisterReliefResources()
{
    RegisterDialogTemplate(MainDialogTemplate());
    RegisterPanelTemplates();
    RegisterIconResource(IDR_MAINFRAME, ReliefIconImage());
}
