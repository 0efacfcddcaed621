#include "app/resources/resources.h"

#include "app/resources/main_dialog_ids.h"

void RegisterReliefResources()
{
    RegisterDialogTemplate(MainDialogTemplate());
    RegisterIconResource(IDR_MAINFRAME, ReliefIconImage());
}
