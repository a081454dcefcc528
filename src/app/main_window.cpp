#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/artwork.h"
#include "app/block_tab_page.h"
#include "app/main_editor.h"
#include "app/mute_row.h"
#include "app/status_texts.h"
#include "core/app_settings.h"
#include "core/prompts.h"
#include "core/session.h"
#include "graphs/block_diagram_page.h"
#include "graphs/level_meter_strip.h"
#include "pages/setup_sheet.h"
#include "pages/tab_page.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mqx {
namespace {

TabPage* pageOf(QWidget* widget) {
    return dynamic_cast<TabPage*>(widget);
}

// A click in the room around a page is a click on the page's background: it takes the box
// being typed in, as a click on the page itself does.
class PageFrame : public QWidget {
protected:
    void mousePressEvent(QMouseEvent* event) override {
        setFocus(Qt::MouseFocusReason);
        QWidget::mousePressEvent(event);
    }
};

// Every page keeps the size its own layout gives it, centred in whatever room the window
// has: the controls of a page sit where the operator learnt them, however large the
// window is made.
QWidget* framed(QWidget* page) {
    auto* frame = new PageFrame;
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(page, 0, 0, Qt::AlignCenter);
    return frame;
}

// Which tab icon (0..10) a tab shows, or -1 for the tabs with a text label.
int iconOfTab(int tab) {
    if (tab >= 1 && tab <= 5)
        return tab - 1;
    if (tab >= kFirstOutputTab && tab < kFirstOutputTab + 6)
        return tab - 2;
    return -1;
}

QString tabLabel(int tab) {
    switch (tab) {
    case 0:
        return QStringLiteral("Input");
    case 6:
        return QStringLiteral("Delay");
    case kDisplayTab:
        return QStringLiteral("Display");
    case kBlockTab:
        return QStringLiteral("Block");
    default:
        return {};
    }
}

} // namespace

MainWindow::MainWindow(Session& session, Prompts& prompts, FileDialogs& dialogs,
                       ParameterEditSink& sink, const QString& settingsFolder, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_prompts(prompts), m_sink(sink),
      m_files(session, prompts, dialogs, *this), m_settingsFolder(settingsFolder),
      m_editor(std::make_unique<MainEditor>(session, sink)) {
    setTitle(QString::fromLatin1(kApplicationTitle));
    setWindowIcon(ApplicationIcon());
    ApplyDefaults(m_session);
    buildMenus();
    buildCentre();
    attachTabIcons();
    m_tabs->setCurrentIndex(kBlockTab);
    ShowTab(kBlockTab);
    RefreshStatus();
    UpdateMenus();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addItem(QMenu* menu, const char* text, MenuId id) {
    QAction* a = menu->addAction(QString::fromLatin1(text));
    m_actions.insert(id, a);
    return a;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(addItem(file, "New", MenuId::FileNew), &QAction::triggered, this,
            [this] { m_files.fileNew(); });
    connect(addItem(file, "Open...", MenuId::FileOpen), &QAction::triggered, this,
            [this] { m_files.fileOpen(); });
    connect(addItem(file, "Save as...", MenuId::FileSaveAs), &QAction::triggered, this,
            [this] { m_files.fileSaveAs(); });
    connect(addItem(file, "Export Setup Sheet...", MenuId::FileExportSheet), &QAction::triggered,
            this, [this] {
                m_files.exportSetupSheet([this](const QString& path) {
                    const QString date =
                        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
                    return WriteSetupSheet(path, m_session.CurrentRecord(),
                                           m_session.ConnectedUnitId, date)
                        .error;
                });
            });
    file->addSeparator();
    connect(addItem(file, "Exit", MenuId::FileExit), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addItem(edit, "Name...", MenuId::ProgramName);
    addItem(edit, "Information...", MenuId::ProgramInformation);
    edit->addSeparator();
    addItem(edit, "GEQ Flat...", MenuId::GeqFlat);
    addItem(edit, "GEQ Link On...", MenuId::GeqLinkOn);
    addItem(edit, "GEQ Link Off...", MenuId::GeqLinkOff);
    edit->addSeparator();
    addItem(edit, "PEQ Flat...", MenuId::PeqFlat);
    addItem(edit, "PEQ Link On...", MenuId::PeqLinkOn);
    addItem(edit, "PEQ Link Off...", MenuId::PeqLinkOff);
    edit->addSeparator();
    QMenu* outputs = edit->addMenu(QStringLiteral("OutputCh"));
    addItem(outputs, "PEQ Flat...", MenuId::OutputPeqFlat);
    addItem(outputs, "LinkCh...", MenuId::OutputLinkCh);

    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    addItem(program, "Store...", MenuId::ProgramStore);
    addItem(program, "List...", MenuId::ProgramList);

    QMenu* link = menuBar()->addMenu(QStringLiteral("&Connect"));
    addItem(link, "Connect...", MenuId::Connect);
    addItem(link, "Disconnect...", MenuId::Disconnect);
    addItem(link, "Information...", MenuId::Information);
    addItem(link, "Panel Lock...", MenuId::PanelLock);

    QMenu* option = menuBar()->addMenu(QStringLiteral("&Option"));
    QMenu* meter = option->addMenu(QStringLiteral("Level Meter"));
    auto* meterGroup = new QActionGroup(this);
    for (auto [text, id, mode] : {std::tuple{"Fine", MenuId::LevelMeterFine, 0},
                                  std::tuple{"Coarse", MenuId::LevelMeterCoarse, 1}}) {
        QAction* a = addItem(meter, text, id);
        a->setCheckable(true);
        meterGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, m = mode] { setLevelMeterMode(m); });
    }
    QMenu* delay = option->addMenu(QStringLiteral("Unit of Delay"));
    auto* delayGroup = new QActionGroup(this);
    for (auto [text, id, unit] : {std::tuple{"meters", MenuId::DelayMeters, 0},
                                  std::tuple{"feet/inches", MenuId::DelayFeetInches, 1}}) {
        QAction* a = addItem(delay, text, id);
        a->setCheckable(true);
        delayGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, u = unit] { setDelayUnit(u); });
    }
    option->addSeparator();
    addItem(option, "Ports...", MenuId::Ports); // the application opens the dialog

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(addItem(help, "About...", MenuId::About), &QAction::triggered, this,
            &MainWindow::showAbout);

    // Items whose dialogs are not part of this window yet do nothing rather than
    // pretend to work; UpdateMenus still greys them by their rules.
}

void MainWindow::buildCentre() {
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);

    m_tabs = new QTabWidget(centre);
    m_tabs->setIconSize(kTabIconSize);
    m_tabs->setUsesScrollButtons(false);
    for (int tab = 0; tab < kTabCount; ++tab) {
        QWidget* page = nullptr;
        if (tab == kBlockTab) {
            m_blockPage = new BlockTabPage(m_session);
            connect(m_blockPage, &BlockTabPage::tabRequested, m_tabs, &QTabWidget::setCurrentIndex);
            page = m_blockPage;
        } else {
            // Filled by setPage() as the editing pages arrive.
            page = new QWidget;
        }
        page->setMinimumSize(kPageMinimum);
        m_pages[static_cast<std::size_t>(tab)] = page;
        m_tabs->addTab(framed(page), tabLabel(tab));
    }
    m_mutes = new MuteRow(m_tabs->tabBar(), kFirstOutputTab, centre);
    connect(m_mutes, &MuteRow::muteClicked, this, &MainWindow::onMuteClicked);
    connect(m_mutes, &MuteRow::allMutingClicked, this, &MainWindow::onAllMuting);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::onTabChanged);

    auto* top = new QHBoxLayout;
    auto* modeBox = new QGroupBox(QStringLiteral("EQ Mode"), centre);
    auto* modeLayout = new QHBoxLayout(modeBox);
    modeLayout->setContentsMargins(6, 0, 6, 0);
    m_eqMode[0] = new QRadioButton(QStringLiteral("GEQ"), modeBox);
    m_eqMode[1] = new QRadioButton(QStringLiteral("PEQ+Comp."), modeBox);
    for (int mode = 0; mode < 2; ++mode) {
        modeLayout->addWidget(m_eqMode[static_cast<std::size_t>(mode)]);
        connect(m_eqMode[static_cast<std::size_t>(mode)], &QRadioButton::clicked, this,
                [this, mode] { onEqMode(mode); });
    }
    top->addWidget(modeBox);
    top->addWidget(m_mutes, 1);
    column->addLayout(top);
    column->addWidget(m_tabs, 1);

    auto* bottom = new QHBoxLayout;
    m_status = new QPlainTextEdit(centre);
    m_program = new QPlainTextEdit(centre);
    for (QPlainTextEdit* panel : {m_status, m_program}) {
        panel->setReadOnly(true);
        panel->setFixedHeight(106);
        panel->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        bottom->addWidget(panel, 1);
    }
    m_meterStrip = new LevelMeterStrip(centre);
    m_meterStrip->setMode(m_session.settings.levelMeterMode);
    m_meterStrip->setLevels(m_session.meterLevels);
    bottom->addWidget(m_meterStrip, 0, Qt::AlignTop);
    column->addLayout(bottom);
    setCentralWidget(centre);
}

void MainWindow::setPage(int tab, QWidget* page) {
    if (tab < 0 || tab >= kTabCount || page == nullptr)
        return;
    const QSignalBlocker block(m_tabs);
    const int current = m_tabs->currentIndex();
    QWidget* old = m_tabs->widget(tab);
    m_tabs->removeTab(tab);
    // A minimum set on a page overrides its layout's; it must not cut what the layout needs.
    page->setMinimumSize(page->minimumSizeHint().expandedTo(kPageMinimum));
    m_pages[static_cast<std::size_t>(tab)] = page;
    m_tabs->insertTab(tab, framed(page), tabLabel(tab));
    delete old;
    attachTabIcons();
    m_tabs->setCurrentIndex(current);
    if (current == tab)
        ShowTab(tab);
}

void MainWindow::metersChanged() {
    m_meterStrip->setLevels(m_session.meterLevels);
    if (TabPage* page = pageOf(this->page(currentTab())))
        page->metersChanged();
}

void MainWindow::attachTabIcons() {
    for (int tab = 0; tab < kTabCount; ++tab)
        if (const int icon = iconOfTab(tab); icon >= 0)
            m_tabs->setTabIcon(tab, TabIcon(icon, m_session.CurrentRecord().eq_mode));
}

QWidget* MainWindow::page(int tab) const {
    if (tab < 0 || tab >= kTabCount)
        return nullptr;
    return m_pages[static_cast<std::size_t>(tab)];
}

int MainWindow::currentTab() const {
    return m_tabs->currentIndex();
}

void MainWindow::ShowTab(int tab) {
    if (tab < 0 || tab >= kTabCount)
        return;
    if (m_tabs->currentIndex() != tab) {
        m_tabs->setCurrentIndex(tab); // reaches onTabChanged, which leaves the old tab
        return;
    }
    m_shownTab = tab;
    if (TabPage* page = pageOf(this->page(tab)))
        page->showPage();
}

void MainWindow::LeaveTab(int tab) {
    if (tab < 0 || tab >= kTabCount)
        return;
    if (TabPage* page = pageOf(this->page(tab)))
        page->leavePage();
}

void MainWindow::onTabChanged(int tab) {
    LeaveTab(m_shownTab);
    ShowTab(tab);
}

void MainWindow::RefreshStatus() {
    const ProgramRecord& r = m_session.CurrentRecord();
    m_eqMode[0]->setChecked(r.eq_mode == 0);
    m_eqMode[1]->setChecked(r.eq_mode == 1);
    for (int c = 0; c < kOutputCount; ++c)
        m_mutes->setMuted(c, r.out[static_cast<std::size_t>(c)].on == 0);
    m_status->setPlainText(StatusPanelText(m_session));
    m_program->setPlainText(ProgramInfoText(r));
}

void MainWindow::RefreshAll() {
    attachTabIcons();
    ShowTab(currentTab());
    UpdateMenus();
    RefreshStatus();
    programChanged();
}

void MainWindow::UpdateMenus() {
    for (const auto& [id, state] : mqx::UpdateMenus(m_session)) {
        if (QAction* a = m_actions.value(id)) {
            a->setEnabled(state.enabled);
            if (a->isCheckable())
                a->setChecked(state.checked);
        }
    }
}

void MainWindow::setTitle(const QString& title) {
    m_title = title;
    setWindowTitle(m_title + m_titleSuffix);
}

void MainWindow::setTitleSuffix(const QString& suffix) {
    m_titleSuffix = suffix;
    setWindowTitle(m_title + m_titleSuffix);
}

QAbstractButton* MainWindow::muteButton(int channel) const {
    return m_mutes->button(channel);
}
QAbstractButton* MainWindow::allMutingButton() const {
    return m_mutes->allMuting();
}
QString MainWindow::statusText() const {
    return m_status->toPlainText();
}
QString MainWindow::programText() const {
    return m_program->toPlainText();
}

void MainWindow::onMuteClicked(int channel, bool muted) {
    m_editor->setMute(channel, muted);
    m_mutes->setMuted(channel, muted);
    programChanged();
}

void MainWindow::onAllMuting() {
    m_editor->allMuting();
    for (int c = 0; c < kOutputCount; ++c)
        m_mutes->setMuted(c, true);
    programChanged();
}

void MainWindow::onEqMode(int mode) {
    if (!m_editor->selectEqMode(mode))
        return;
    attachTabIcons();
    LeaveTab(currentTab());
    ShowTab(currentTab());
    UpdateMenus();
    programChanged();
}

void MainWindow::programChanged() {
    m_blockPage->diagram()->refresh();
    if (m_programChanged)
        m_programChanged();
}

void MainWindow::setLevelMeterMode(int mode) {
    m_session.settings.levelMeterMode = mode;
    m_meterStrip->setMode(mode);
    UpdateMenus();
}

void MainWindow::setDelayUnit(int unit) {
    m_session.settings.delayUnit = unit;
    LeaveTab(currentTab());
    RefreshAll();
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

bool MainWindow::runCloseSequence() {
    if (m_closing)
        return true;
    if (m_session.ConnectedUnitId != 0) {
        if (!m_disconnect || !m_disconnect())
            return false;
        m_session.ConnectedUnitId = 0;
        RefreshAll();
    }
    if (!m_prompts.confirmCancelFirst(
            QString::fromLatin1(kApplicationTitle),
            QStringLiteral("Are you sure you want to exit the MQX-T410 Controller ?"),
            PromptIcon::Question))
        return false;
    LeaveTab(currentTab());
    m_closing = true;
    writeSettings();
    return true;
}

void MainWindow::writeSettings() {
    if (!SaveAppSettings(m_session.settings, m_settingsFolder))
        m_prompts.message(
            QString::fromLatin1(kApplicationTitle),
            QStringLiteral("The settings could not be written to\n%1").arg(m_settingsFolder),
            PromptIcon::Exclamation);
}

// Enter that no box took (the focus is on a button, the tabs or nowhere) sends the
// operator back to the box of the page on show that was last typed in; it never closes
// anything.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (TabPage* page = pageOf(this->page(currentTab())))
            page->focusLastEdited();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (runCloseSequence())
        event->accept();
    else
        event->ignore();
}

} // namespace mqx
