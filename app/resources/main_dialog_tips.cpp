#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"

std::span<const ControlToolTip> MainDialogToolTips()
{
    static constexpr ControlToolTip kTips[] = {
        {IDOK, L"Close Relief; unsaved changes are asked about first (Ctrl+Q)"},
        {IDC_LIGHTS, L"Open the panel that edits the three lights"},
        {IDC_SCENE, L"Open the scene tree with each object's attributes and transform"},
        {IDC_STATUS, L"What the editor did last"},
        {IDC_BIG_VIEW, L"The terrain: drag with the left button to rotate, the middle one to pan, the right one "
                       L"to zoom"},
        {IDC_SMALL_VIEW, L"The terrain from above: drag with the left or middle button to pan, the right one to "
                         L"zoom"},
        {IDC_ROW_SLIDER, L"Selects the row (X) of the vertex to edit"},
        {IDC_COLUMN_SLIDER, L"Selects the column (Z) of the vertex to edit"},
        {IDC_HEIGHT_SLIDER, L"Sets the selected vertex's height; a whole drag is one undo step"},
        {IDC_SELECTOR_VISIBLE, L"Show the sphere over the selected vertex (S)"},
        {IDC_WIREFRAME, L"Show the terrain as a wire frame (W)"},
        {IDC_GENERATE, L"A new terrain with the roughness set beside (Ctrl+N)"},
        {IDC_ROUGHNESS_SLIDER, L"How rough the next generated terrain is"},
        {IDC_ENABLE_TEXTURE, L"Drape the chosen image over the terrain"},
        {IDC_LOAD_TEXTURE, L"Choose an image for the terrain"},
        {IDC_TEXTURE_FILE_NAME, L"The image chosen for the terrain"},
        {IDC_LOAD, L"Load the heights of a text height file (Ctrl+O)"},
        {IDC_LOAD_FILE_NAME, L"The height file loaded last"},
        {IDC_SAVE, L"Save the heights to a file of your choice (Ctrl+Shift+S)"},
        {IDC_SAVE_FILE_NAME, L"The height file saved last"},
        {IDC_AIRPLANE_VISIBLE, L"Show the airplane"},
        {IDC_ANIMATE, L"Let the airplane fly (Space)"},
        {IDC_FLY_LEFT, L"The airplane turns left"},
        {IDC_FLY_RIGHT, L"The airplane turns right"},
        {IDC_FLY_STRAIGHT, L"The airplane flies straight on"},
        {IDC_SPEED_SLIDER, L"How fast the airplane flies"},
    };
    return kTips;
}
