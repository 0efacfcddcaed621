#include "app/editor_actions.h"

const std::vector<EditorActionInfo>& EditorActionTable()
{
    using A = EditorAction;
    using K = QKeySequence;
    static const QString file = QStringLiteral("&File");
    static const QString edit = QStringLiteral("&Edit");
    static const QString terrain = QStringLiteral("&Terrain");
    static const QString view = QStringLiteral("&View");
    static const QString help = QStringLiteral("&Help");
    static const QString overlays = QStringLiteral("&View/&Overlays");
    static const std::vector<EditorActionInfo> table = {
        {A::New,
         file,
         QStringLiteral("&New"),
         {K(QStringLiteral("Ctrl+N"))},
         QStringLiteral("A new terrain of the chosen size and seed, with the Roughness slider's value")},
        {A::Open,
         file,
         QStringLiteral("&Open Height File..."),
         {K(QStringLiteral("Ctrl+O"))},
         QStringLiteral("Load the heights of a text height file")},
        {A::Save,
         file,
         QStringLiteral("&Save"),
         {K(QStringLiteral("Ctrl+S"))},
         QStringLiteral("Save the heights to the terrain's file")},
        {A::SaveAs,
         file,
         QStringLiteral("Save &As..."),
         {K(QStringLiteral("Ctrl+Shift+S"))},
         QStringLiteral("Save the heights to a file of your choice")},
        {A::LoadTexture,
         file,
         QStringLiteral("Load &Texture..."),
         {},
         QStringLiteral("Choose an image to drape over the terrain")},
        {A::Import,
         file,
         QStringLiteral("&Import..."),
         {K(QStringLiteral("Ctrl+I"))},
         QStringLiteral("Heights from a PNG, RAW16 (.r16, .raw), OpenEXR or text file")},
        {A::Export,
         file,
         QStringLiteral("&Export..."),
         {K(QStringLiteral("Ctrl+E"))},
         QStringLiteral("Write the heights as PNG, RAW16 (.r16, .raw), OpenEXR or text, by the name's extension")},
        {A::ExportMesh,
         file,
         QStringLiteral("Export &Mesh..."),
         {K(QStringLiteral("Ctrl+Shift+E"))},
         QStringLiteral("Write the terrain as a mesh: Wavefront OBJ or binary glTF (.glb), by the name's extension")},
        {A::Quit, file, QStringLiteral("&Quit"), {K(QStringLiteral("Ctrl+Q"))}, QStringLiteral("Close Relief")},
        {A::Undo,
         edit,
         QStringLiteral("&Undo"),
         {K(QStringLiteral("Ctrl+Z"))},
         QStringLiteral("Take back the last change of the terrain")},
        {A::Redo,
         edit,
         QStringLiteral("&Redo"),
         {K(QStringLiteral("Ctrl+Y")), K(QStringLiteral("Ctrl+Shift+Z"))},
         QStringLiteral("Do the change taken back again")},
        {A::Resample,
         terrain,
         QStringLiteral("Re&sample..."),
         {K(QStringLiteral("Ctrl+R"))},
         QStringLiteral("The same terrain at another number of samples a side")},
        {A::Wireframe,
         view,
         QStringLiteral("&Wireframe"),
         {K(Qt::Key_W)},
         QStringLiteral("Show the terrain as a wire frame"),
         true},
        {A::Selector,
         view,
         QStringLiteral("&Selector"),
         {K(Qt::Key_S)},
         QStringLiteral("Show the sphere over the selected vertex"),
         true},
        {A::Airplane, view, QStringLiteral("&Airplane"), {}, QStringLiteral("Show the airplane"), true},
        {A::Animation,
         view,
         QStringLiteral("A&nimation"),
         {K(Qt::Key_Space)},
         QStringLiteral("Let the airplane fly"),
         true},
        {A::LightsPanel,
         view,
         QStringLiteral("&Lights Panel"),
         {},
         QStringLiteral("Open the panel that edits the three lights")},
        {A::ScenePanel,
         view,
         QStringLiteral("S&cene Panel"),
         {},
         QStringLiteral("Open the scene tree with each object's attributes and transform")},
        {A::ResetCameras,
         view,
         QStringLiteral("&Reset Cameras"),
         {},
         QStringLiteral("Bring both views' cameras back to where they start")},
        {A::Shading,
         view,
         QStringLiteral("S&hading"),
         {K(Qt::Key_H)},
         QStringLiteral("Light the terrain by the sun, so that slopes read"),
         true},
        {A::SunPanel, view, QStringLiteral("S&un..."), {}, QStringLiteral("Set where the sun stands for the shading")},
        {A::SlopeOverlay,
         overlays,
         QStringLiteral("&Slope"),
         {K(QStringLiteral("Ctrl+1"))},
         QStringLiteral("Colour the terrain by the angle of its slopes: green flat, red steep"),
         true},
        {A::ContourOverlay,
         overlays,
         QStringLiteral("&Contour Lines"),
         {K(QStringLiteral("Ctrl+2"))},
         QStringLiteral("Draw a line at every multiple of the contour interval"),
         true},
        {A::WaterOverlay,
         overlays,
         QStringLiteral("&Water Plane"),
         {K(QStringLiteral("Ctrl+3"))},
         QStringLiteral("Show a translucent water plane at the water level"),
         true},
        {A::OverlaySettings,
         overlays,
         QStringLiteral("Overlay S&ettings..."),
         {},
         QStringLiteral("Set the contour interval and the water level")},
        {A::KeyboardShortcuts,
         help,
         QStringLiteral("&Keyboard Shortcuts"),
         {},
         QStringLiteral("List the keyboard shortcuts")},
        {A::About, help, QStringLiteral("&About Relief"), {}, QStringLiteral("What Relief is")},
    };
    return table;
}

QString ShortcutSummary()
{
    QString summary;
    for (const EditorActionInfo& info : EditorActionTable()) {
        QStringList keys;
        for (const QKeySequence& key : info.shortcuts) {
            keys << key.toString(QKeySequence::NativeText);
        }
        if (!keys.isEmpty()) {
            summary += keys.join(QStringLiteral(", ")) + QLatin1Char('\t') +
                       QString(info.text).remove(QLatin1Char('&')).remove(QStringLiteral("...")) + QLatin1Char('\n');
        }
    }
    return summary;
}
