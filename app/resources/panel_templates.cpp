#include "app/resources/panel_templates.h"

void RegisterPanelTemplates()
{
    RegisterDialogTemplate(XformInfoControlTemplate());
    RegisterDialogTemplate(SceneTreeControlTemplate());
    RegisterDialogTemplate(PrimitiveControlTemplate());
    RegisterDialogTemplate(LightControlTemplate());
    RegisterDialogTemplate(SceneTreeWindowTemplate());
}
