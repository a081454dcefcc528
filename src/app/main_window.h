#pragma once
// The controller's only top-level window: the tabbed pages, the six output mutes with
// "All Muting", the EQ mode selector, the connection status and program panels, the level
// meter strip and the menu bar. It turns clicks into calls on the core objects it is
// given and shows their state; the link and the pages reach the unit through the
// ParameterEditSink it is given.

#include "app/file_commands.h"
#include "app/menu_state.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>

class QAbstractButton;
class QActionGroup;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;

namespace mqx {

class BlockTabPage;
class LevelMeterStrip;
class MainEditor;
class MuteRow;
class ParameterEditSink;
class Prompts;
struct Session;

inline constexpr int kTabCount = 15;
inline constexpr int kFirstOutputTab = 7;
inline constexpr int kDisplayTab = 13;
inline constexpr int kBlockTab = 14;
// The least room a page gets, whatever it holds.
inline constexpr QSize kPageMinimum(690, 262);

class MainWindow : public QMainWindow, public ProgramView {
    Q_OBJECT
public:
    MainWindow(Session& session, Prompts& prompts, FileDialogs& dialogs, ParameterEditSink& sink,
               const QString& settingsFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Puts a page behind a tab; the window owns it from then on.
    void setPage(int tab, QWidget* page);
    QWidget* page(int tab) const;
    // New meter values have been decoded into the session's meter block.
    void metersChanged();

    // ProgramView
    void leaveTab() override { LeaveTab(currentTab()); }
    void refreshAll() override { RefreshAll(); }
    void setTitle(const QString& title) override;

    void RefreshStatus();
    void RefreshAll();
    void ShowTab(int tab);
    void LeaveTab(int tab);
    void UpdateMenus();

    int currentTab() const;
    // Asks before the window may close; also connected to File > Exit.
    bool runCloseSequence();
    // Run before the exit question while a unit is connected; true lets the close go on.
    void setDisconnectProcedure(std::function<bool()> procedure) {
        m_disconnect = std::move(procedure);
    }
    // Tells whoever draws the program (block diagram, display page) that it changed.
    void setProgramChangedHook(std::function<void()> hook) { m_programChanged = std::move(hook); }

    // Appended to every window title, e.g. " (demo)" so nobody mistakes a simulated unit
    // for a real one.
    void setTitleSuffix(const QString& suffix);

    QAction* action(MenuId id) const { return m_actions.value(id); }
    QTabWidget* tabs() const { return m_tabs; }
    QAbstractButton* muteButton(int channel) const;
    QAbstractButton* allMutingButton() const;
    QRadioButton* eqModeButton(int mode) const { return m_eqMode[static_cast<std::size_t>(mode)]; }
    QString statusText() const;
    LevelMeterStrip* meterStrip() const { return m_meterStrip; }
    BlockTabPage* blockPage() const { return m_blockPage; }
    QString programText() const;
    bool isClosing() const { return m_closing; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildCentre();
    void attachTabIcons();
    void onTabChanged(int tab);
    void onMuteClicked(int channel, bool muted);
    void onAllMuting();
    void onEqMode(int mode);
    void setLevelMeterMode(int mode);
    void setDelayUnit(int unit);
    void showAbout();
    void writeSettings();
    void programChanged();
    QAction* addItem(QMenu* menu, const char* text, MenuId id);

    Session& m_session;
    Prompts& m_prompts;
    ParameterEditSink& m_sink;
    FileCommands m_files;
    QString m_settingsFolder;
    std::unique_ptr<MainEditor> m_editor;

    QTabWidget* m_tabs = nullptr;
    std::array<QWidget*, kTabCount> m_pages{};
    MuteRow* m_mutes = nullptr;
    std::array<QRadioButton*, 2> m_eqMode{};
    QPlainTextEdit* m_status = nullptr;
    QPlainTextEdit* m_program = nullptr;
    LevelMeterStrip* m_meterStrip = nullptr;
    BlockTabPage* m_blockPage = nullptr;
    QHash<MenuId, QAction*> m_actions;
    int m_shownTab = -1;
    bool m_closing = false;
    QString m_title;
    QString m_titleSuffix;
    std::function<bool()> m_disconnect;
    std::function<void()> m_programChanged;
};

} // namespace mqx
