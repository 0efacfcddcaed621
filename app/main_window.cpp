#include "app/main_window.h"

#include "app/brush_panel.h"
#include "app/erosion_panel.h"
#include "app/generate_bar.h"
#include "app/job_progress.h"
#include "app/relief_panel.h"
#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"
#include "app/statistics_panel.h"
#include "app/typing_guard.h"
#include "editor/recovery_file.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "scene/status.h"
#include "world/terrain_world.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kMessageMs = 10000;

QString Text(const std::wstring& text) { return QString::fromStdWString(text); }

// The View menu's relief switches and the style's field each turns over.
const std::pair<EditorAction, bool TerrainReliefStyle::*> kReliefSwitches[] = {
    {EditorAction::Shading, &TerrainReliefStyle::shading},
    {EditorAction::SlopeOverlay, &TerrainReliefStyle::slope},
    {EditorAction::ContourOverlay, &TerrainReliefStyle::contours},
    {EditorAction::WaterOverlay, &TerrainReliefStyle::water},
};

bool TerrainReliefStyle::*ReliefSwitchOf(EditorAction action)
{
    return std::find_if(std::begin(kReliefSwitches), std::end(kReliefSwitches),
                        [action](const auto& entry) { return entry.first == action; })
        ->second;
}

} // namespace

// The central widget: keeps the dialog filling it and its controls anchored.
class CMainWindow::DialogHost final : public QWidget {
public:
    explicit DialogHost(CAnchoredLayout& layout) : m_layout(layout) {}

    void SetDialog(QWidget* dialog) { m_dialog = dialog; }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (m_dialog) {
            m_dialog->setGeometry(rect());
            m_layout.Apply(size());
        }
    }

private:
    CAnchoredLayout& m_layout;
    QPointer<QWidget> m_dialog;
};

CMainWindow::CMainWindow(CTerrainWorld& world, QSettings& settings, std::string recoveryPath,
                         std::unique_ptr<IIntervalTimer> recoveryTimer)
    : m_settings(settings), m_relief(settings, world.GetFloorMesh()),
      m_document(world, kStartFileLabel, kStartFileLabel), m_commands(m_document, m_settings),
      m_fileCommands(m_commands), m_recovery(m_document, std::move(recoveryPath), std::move(recoveryTimer)),
      m_dialog(m_commands), m_typingGuard(std::make_unique<CTypingGuard>()), m_brushTool(m_commands)
{
    m_commands.SetCloseRequest([this] { close(); });
    m_commands.SetRecentFilesListener([this] { ShowRecentFiles(); });
    m_recovery.SetFailureListener([this](const std::string& reason) {
        statusBar()->showMessage(QStringLiteral("Unsaved work could not be kept: ") + QString::fromStdString(reason),
                                 kMessageMs);
    });

    m_statusText = new QLabel(this);
    m_vertexText = new QLabel(this);
    m_heightText = new QLabel(this);
    m_gridText = new QLabel(this);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    m_vertexText->setObjectName(QStringLiteral("vertexText"));
    m_heightText->setObjectName(QStringLiteral("heightText"));
    m_gridText->setObjectName(QStringLiteral("gridText"));
    m_statusText->setToolTip(QStringLiteral("What the editor did last"));
    m_vertexText->setToolTip(QStringLiteral("The selected vertex: row, column"));
    m_heightText->setToolTip(QStringLiteral("The selected vertex's height"));
    m_gridText->setToolTip(QStringLiteral("Samples a side of the height grid"));
    statusBar()->addWidget(m_statusText, 1);
    m_jobProgress = new CJobProgress(m_commands.Job(), this);
    statusBar()->addPermanentWidget(m_jobProgress);
    statusBar()->addPermanentWidget(m_vertexText);
    statusBar()->addPermanentWidget(m_heightText);
    statusBar()->addPermanentWidget(m_gridText);

    SetWindowIcon();
    m_generateBar = new CGenerateBar(m_commands, this);
    addToolBar(Qt::TopToolBarArea, m_generateBar);
    m_erosionPanel = new CErosionPanel(m_commands, this);
    m_statisticsPanel = new CStatisticsPanel(m_document, this);
    BindWaterLevel();
    BuildMenus();
    BuildToolBar(settings);
    HostDialog();
    m_documentListener = m_document.AddChangeListener([this] { ShowDocumentState(); });
    m_commands.Job().SetStateListener([this] { ShowJobState(); });
    ShowDocumentState();
    RestoreGeometry();
}

CMainWindow::~CMainWindow()
{
    // The views outlive the brush tool.
    m_dialog.BigView().SetTool(nullptr);
    m_dialog.SmallView().SetTool(nullptr);
    m_commands.Job().SetStateListener({});
    m_commands.Job().Cancel();
    m_document.RemoveChangeListener(m_documentListener);
    m_relief.RemoveChangeListener(m_reliefListener);
    // The panels use the document and the commands, which go before the window's children.
    delete m_erosionPanel;
    delete m_statisticsPanel;
    // The relief panel listens to the relief settings, which go before the window's children.
    delete m_reliefPanel;
    m_dialog.DestroyWindow();
}

void CMainWindow::HostDialog()
{
    m_host = new DialogHost(m_layout);
    setCentralWidget(m_host);
    if (!m_dialog.CreateInWidget(IDD_TUTORIAL_DIALOG, m_host)) {
        return;
    }
    m_commands.SetOwner(&m_dialog);
    m_dialog.SetStatusListener([this](const std::wstring& text) { m_statusText->setText(Text(text)); });
    m_dialog.SetFrameListener([this] { ShowSelection(); });
    m_statusText->setText(Text(GetWindowTextString(::GetDlgItem(m_dialog.GetSafeHwnd(), IDC_STATUS))));
    QWidget* dialog = WidgetOfWindow(m_dialog.GetSafeHwnd());
    QWidget* bigView = WidgetOfWindow(::GetDlgItem(m_dialog.GetSafeHwnd(), IDC_BIG_VIEW));
    if (dialog == nullptr || bigView == nullptr) {
        return;
    }
    m_layout.Capture(*dialog, *bigView);
    m_host->setMinimumSize(m_layout.MinimumSize());
    m_host->resize(m_layout.MinimumSize());
    m_host->SetDialog(dialog);
    ApplyToolTips();
    m_dialog.ShowWindow(SW_SHOW);
    // The dialog's area holds the keyboard focus at start, so the single-key shortcuts work
    // until the user clicks or tabs into a control.
    m_host->setFocusPolicy(Qt::ClickFocus);
    m_host->setFocus();
}

void CMainWindow::SetWindowIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const IconImage image = ReliefIconImage(size);
        icon.addPixmap(QPixmap::fromImage(
            QImage(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height, QImage::Format_ARGB32)
                .copy()));
    }
    setWindowIcon(icon);
}

bool CMainWindow::HasDialog() const { return IsWindow(m_dialog.GetSafeHwnd()); }

void CMainWindow::ApplyToolTips()
{
    for (const ControlToolTip& tip : MainDialogToolTips()) {
        if (QWidget* control = WidgetOfWindow(::GetDlgItem(m_dialog.GetSafeHwnd(), tip.id))) {
            control->setToolTip(QString::fromWCharArray(tip.text));
            // Buttons take the focus only from the Tab key, so that Space stays the animation
            // switch after a click.
            if (qobject_cast<QAbstractButton*>(control) != nullptr) {
                control->setFocusPolicy(Qt::TabFocus);
            }
        }
    }
}

void CMainWindow::BuildMenus()
{
    std::map<QString, QMenu*> menus;
    for (const EditorActionInfo& info : EditorActionTable()) {
        QMenu*& menu = menus[info.menu];
        if (menu == nullptr) {
            // "&View/&Overlays" is a submenu of a menu made before it.
            const qsizetype slash = info.menu.indexOf(QLatin1Char('/'));
            menu = slash < 0 ? menuBar()->addMenu(info.menu)
                             : menus.at(info.menu.left(slash))->addMenu(info.menu.mid(slash + 1));
            menu->setToolTipsVisible(true);
        }
        if (info.action == EditorAction::Quit) {
            m_recentMenu = menu->addMenu(QStringLiteral("Open &Recent"));
            m_recentMenu->setToolTipsVisible(true);
            menu->addSeparator();
        }
        QAction* action = menu->addAction(info.text);
        action->setShortcuts(info.shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(info.toolTip);
        action->setStatusTip(info.toolTip);
        action->setCheckable(info.checkable);
        const EditorAction which = info.action;
        QObject::connect(action, &QAction::triggered, this, [this, which] { RunAction(which); });
        m_actions[which] = action;
    }
    QObject::connect(menus[QStringLiteral("&View")], &QMenu::aboutToShow, this, [this] { SyncViewChecks(); });
    ShowRecentFiles();
}

void CMainWindow::BuildToolBar(QSettings& settings)
{
    auto* tools = new QToolBar(QStringLiteral("Tools"), this);
    tools->setObjectName(QStringLiteral("toolsBar"));
    tools->setMovable(false);
    tools->addAction(m_actions.at(EditorAction::CameraTool));
    tools->addAction(m_actions.at(EditorAction::BrushTool));
    addToolBar(Qt::TopToolBarArea, tools);
    m_brushPanel = new CBrushPanel(m_brushTool, settings, this);
    addDockWidget(Qt::RightDockWidgetArea, m_brushPanel);
    m_brushPanel->hide();
    m_brushTool.SetSelectionListener([this](int row, int column) { m_dialog.SelectVertex(row, column); });
    m_actions.at(EditorAction::CameraTool)->setChecked(true);
}

void CMainWindow::ChooseBrushTool(bool brush)
{
    m_brushChosen = brush;
    IViewTool* tool = brush ? &m_brushTool : nullptr;
    m_dialog.BigView().SetTool(tool);
    m_dialog.SmallView().SetTool(tool);
    if (brush) {
        m_brushPanel->show();
    } else {
        m_brushTool.PutAway();
    }
    m_actions.at(EditorAction::CameraTool)->setChecked(!brush);
    m_actions.at(EditorAction::BrushTool)->setChecked(brush);
    ShowStatus(brush ? L"Brush Tool: the left button paints" : L"Camera Tool: the left button moves the camera");
}

void CMainWindow::ClickDialogButton(int id) { SendMessageW(::GetDlgItem(m_dialog.GetSafeHwnd(), id), BM_CLICK, 0, 0); }

void CMainWindow::RunAction(EditorAction action)
{
    switch (action) {
    case EditorAction::New:
        m_commands.New();
        break;
    case EditorAction::Open:
        m_commands.Open();
        break;
    case EditorAction::Save:
        m_commands.Save();
        break;
    case EditorAction::SaveAs:
        m_commands.SaveAs();
        break;
    case EditorAction::LoadTexture:
        m_commands.LoadTexture();
        break;
    case EditorAction::Import:
        m_fileCommands.Import();
        break;
    case EditorAction::Export:
        m_fileCommands.Export();
        break;
    case EditorAction::ExportMesh:
        m_fileCommands.ExportMesh();
        break;
    case EditorAction::Resample:
        m_fileCommands.Resample();
        break;
    case EditorAction::Erode:
        ShowPanel(*m_erosionPanel);
        break;
    case EditorAction::Statistics:
        ShowPanel(*m_statisticsPanel);
        break;
    case EditorAction::Quit:
        m_commands.Quit();
        break;
    case EditorAction::Undo:
        m_commands.Undo();
        break;
    case EditorAction::Redo:
        m_commands.Redo();
        break;
    case EditorAction::Wireframe:
        ClickDialogButton(IDC_WIREFRAME);
        break;
    case EditorAction::Selector:
        ClickDialogButton(IDC_SELECTOR_VISIBLE);
        break;
    case EditorAction::Airplane:
        ClickDialogButton(IDC_AIRPLANE_VISIBLE);
        break;
    case EditorAction::Animation:
        ClickDialogButton(IDC_ANIMATE);
        break;
    case EditorAction::LightsPanel:
        ClickDialogButton(IDC_LIGHTS);
        break;
    case EditorAction::ScenePanel:
        ClickDialogButton(IDC_SCENE);
        break;
    case EditorAction::ResetCameras:
        m_dialog.ResetCameras();
        break;
    case EditorAction::BrushPanel:
        ShowPanel(*m_brushPanel);
        break;
    case EditorAction::CameraTool:
        ChooseBrushTool(false);
        break;
    case EditorAction::BrushTool:
        ChooseBrushTool(!m_brushChosen);
        break;
    case EditorAction::Shading:
    case EditorAction::SlopeOverlay:
    case EditorAction::ContourOverlay:
    case EditorAction::WaterOverlay:
        ToggleRelief(ReliefSwitchOf(action));
        break;
    case EditorAction::SunPanel:
    case EditorAction::OverlaySettings:
        ShowReliefPanel();
        break;
    case EditorAction::KeyboardShortcuts:
        MessageBoxW(m_dialog.GetSafeHwnd(), ShortcutSummary().toStdWString().c_str(), L"Keyboard Shortcuts",
                    MB_OK | MB_ICONINFORMATION);
        break;
    case EditorAction::About:
        MessageBoxW(m_dialog.GetSafeHwnd(),
                    L"Relief, the terrain editor.\n\nGenerate a terrain, set the heights of its vertices, drape an "
                    L"image over it and fly an airplane above it. Height files are plain text, one height a line; "
                    L"File > Import and Export take PNG, RAW16 and OpenEXR heightmaps, and Export Mesh writes OBJ "
                    L"and glTF.",
                    L"About Relief", MB_OK | MB_ICONINFORMATION);
        break;
    }
    SyncViewChecks();
}

void CMainWindow::ShowPanel(QWidget& panel)
{
    panel.show();
    panel.raise();
    panel.activateWindow();
}

void CMainWindow::SyncViewChecks()
{
    const std::pair<EditorAction, int> checks[] = {{EditorAction::Wireframe, IDC_WIREFRAME},
                                                   {EditorAction::Selector, IDC_SELECTOR_VISIBLE},
                                                   {EditorAction::Airplane, IDC_AIRPLANE_VISIBLE},
                                                   {EditorAction::Animation, IDC_ANIMATE}};
    for (const auto& [action, id] : checks) {
        m_actions.at(action)->setChecked(m_dialog.IsDlgButtonChecked(id) == BST_CHECKED);
    }
    for (const auto& [action, field] : kReliefSwitches) {
        m_actions.at(action)->setChecked(m_relief.Style().*field);
    }
}

void CMainWindow::ToggleRelief(bool TerrainReliefStyle::*field)
{
    TerrainReliefStyle style = m_relief.Style();
    style.*field = !(style.*field);
    m_relief.SetStyle(style);
}

void CMainWindow::ShowReliefPanel()
{
    if (m_reliefPanel == nullptr) {
        m_reliefPanel = new CReliefPanel(m_relief, this);
    }
    ShowPanel(*m_reliefPanel);
}

void CMainWindow::BindWaterLevel()
{
    m_statisticsPanel->SetWaterLevel(m_relief.WaterLevel());
    m_statisticsPanel->SetWaterLevelListener([this](float level) { m_relief.SetWaterLevel(level); });
    m_reliefListener = m_relief.AddChangeListener([this] { m_statisticsPanel->SetWaterLevel(m_relief.WaterLevel()); });
}

void CMainWindow::ShowRecentFiles()
{
    // An entry may be the one being triggered: it goes once its signal is over.
    for (QAction* entry : m_recentMenu->actions()) {
        m_recentMenu->removeAction(entry);
        entry->deleteLater();
    }
    const QStringList files = m_settings.RecentFiles();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setToolTip(path);
        QObject::connect(entry, &QAction::triggered, this, [this, path] { m_commands.OpenFile(path.toStdWString()); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void CMainWindow::ShowDocumentState()
{
    setWindowTitle(Text(m_document.DisplayName()) + QStringLiteral("[*] - Relief"));
    setWindowModified(m_document.IsModified());
    const auto withStep = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
    };
    const bool busy = m_commands.Job().IsRunning();
    m_actions.at(EditorAction::Undo)->setEnabled(m_document.CanUndo() && !busy);
    m_actions.at(EditorAction::Undo)->setText(withStep(QStringLiteral("&Undo"), m_document.UndoText()));
    m_actions.at(EditorAction::Redo)->setEnabled(m_document.CanRedo() && !busy);
    m_actions.at(EditorAction::Redo)->setText(withStep(QStringLiteral("&Redo"), m_document.RedoText()));
    m_gridText->setText(QStringLiteral("Grid %1 x %1").arg(m_document.World().Side()));
    m_generateBar->ShowCurrentSeed();
    ShowSelection();
    SyncViewChecks();
}

void CMainWindow::ShowJobState()
{
    m_jobProgress->Follow();
    const bool idle = !m_commands.Job().IsRunning();
    for (const EditorAction action : {EditorAction::New, EditorAction::Open, EditorAction::Import, EditorAction::Export,
                                      EditorAction::ExportMesh, EditorAction::Resample}) {
        m_actions.at(action)->setEnabled(idle);
    }
    m_recentMenu->setEnabled(idle && !m_settings.RecentFiles().isEmpty());
    m_generateBar->setEnabled(idle);
    m_erosionPanel->SetBusy(!idle);
    for (const int id : {IDC_GENERATE, IDC_LOAD, IDC_HEIGHT_SLIDER}) {
        ::EnableWindow(::GetDlgItem(m_dialog.GetSafeHwnd(), id), idle ? TRUE : FALSE);
    }
    ShowDocumentState();
}

void CMainWindow::ShowSelection()
{
    const CTerrainWorld& world = m_document.World();
    const int row = world.GetSelectedRow();
    const int column = world.GetSelectedColumn();
    const ShownSelection now{row, column, world.HeightAt(row, column)};
    if (m_shownSelection == now) {
        return;
    }
    m_shownSelection = now;
    m_vertexText->setText(QStringLiteral("Vertex %1, %2").arg(row).arg(column));
    m_heightText->setText(QStringLiteral("Height %1").arg(static_cast<double>(now.height), 0, 'f', 2));
}

void CMainWindow::RestoreGeometry()
{
    const QByteArray geometry = m_settings.WindowGeometry();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        adjustSize();
    }
}

void CMainWindow::HandleRecoveredWork(RecoveryChoice choice)
{
    if (!m_recovery.OwnsFile()) {
        statusBar()->showMessage(QStringLiteral("Another Relief is running: this window's unsaved work is not kept "
                                                "for recovery"),
                                 kMessageMs);
        return;
    }
    const std::string& path = m_recovery.Path();
    std::error_code error;
    if (choice == RecoveryChoice::Keep || !std::filesystem::exists(path, error)) {
        return;
    }
    const Result<RecoveredWork> work = ReadRecoveryFile(path);
    if (!work) {
        std::filesystem::rename(path, path + ".damaged", error);
        statusBar()->showMessage(QStringLiteral("The work kept from the last session is lost: ") +
                                     QString::fromStdString(work.reason()),
                                 kMessageMs);
        return;
    }
    if (choice == RecoveryChoice::Ask) {
        const std::wstring name =
            work.value().documentPath.empty()
                ? L"Untitled"
                : QFileInfo(QString::fromStdString(work.value().documentPath)).fileName().toStdWString();
        const std::wstring question = L"Relief did not close properly last time. It kept the unsaved work on \"" +
                                      name + L"\".\n\nRestore it? No discards it.";
        choice = MessageBoxW(m_dialog.GetSafeHwnd(), question.c_str(), L"Relief", MB_YESNO | MB_ICONQUESTION) == IDYES
                     ? RecoveryChoice::Restore
                     : RecoveryChoice::Discard;
    }
    if (choice == RecoveryChoice::Discard) {
        m_recovery.Remove();
        return;
    }
    if (const Result<> restored = m_document.Restore(work.value()); !restored) {
        statusBar()->showMessage(QStringLiteral("The work kept from the last session cannot be restored: ") +
                                     QString::fromStdString(restored.reason()),
                                 kMessageMs);
        return;
    }
    (void)m_recovery.Secure();
}

void CMainWindow::CloseUnattended()
{
    m_unattended = true;
    close();
}

void CMainWindow::closeEvent(QCloseEvent* event)
{
    if (m_unattended) {
        // Nobody is there to answer: unsaved work waits in the recovery file.
        if (m_document.IsModified()) {
            (void)m_recovery.Secure();
        } else {
            m_recovery.Release();
        }
    } else if (m_commands.MayDiscardChanges(L"quitting")) {
        m_recovery.Release();
    } else {
        event->ignore();
        return;
    }
    // A job still running is dropped: its result would arrive in a closed window.
    m_commands.Job().Cancel();
    m_settings.SetWindowGeometry(saveGeometry());
    event->accept();
    if (m_closed) {
        m_closed();
    }
}

void CMainWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape reaches the window when no control wants it: it asks before anything closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_commands.Escape();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
