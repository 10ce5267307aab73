#pragma once

#include "platform/accessibility_element.h"
#include "platform/cancellable.h"
#include "platform/serial_queue.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace brindlemoor {

class AppState;
class MainMenuViewModel;

// The tray icon and its menu: dictation Start/Stop, the floating window, the dictation target
// (the active application or one of the recent text fields), the language, update checks and
// Quit. Once a second it records the focused text field of the desktop.
class MainMenuView final : public QObject {
    Q_OBJECT

public:
    // Item tags; language items carry kLanguageTagBase plus their place in the language list.
    enum Tag : int {
        dictationTag = 0,
        floatingTag = 1,
        activeApplicationTag = 2,
        specificApplicationTag = 3,
        checkForUpdatesTag = 4,
        quitTag = 5,
        kLanguageTagBase = 1000,
    };

    // The process's status menu, created on first use with the shared model and state.
    static MainMenuView& shared();
    static bool sharedExists();

    MainMenuView(MainMenuViewModel& viewModel, AppState& appState);
    ~MainMenuView() override;

    QSystemTrayIcon* statusItem() const { return statusItem_.get(); }
    MainMenuViewModel& viewModel() { return viewModel_; }
    // The status item's menu; none only before the first build.
    QMenu* menu() const { return menu_.get(); }

    void rebuildMenu();
    std::unique_ptr<QMenu> buildMenu();
    QAction* itemWithTag(int tag) const;

    // Check marks of the target items, after the recent-field list has been cleaned.
    void refreshMenuStates();
    void rebuildTargetSubmenu();

    void setDictationIcon(bool dictating);
    void setFloatingItemImage(bool floating);

    // Menu actions.
    void toggleDictation();
    void toggleFloatingWindow();
    void toggleAutoDictation();
    void selectManualDictationTarget(const AccessibilityElement& element);
    void selectLanguage(int tag);
    void handleCheckForUpdates();
    void handleQuit();

    // One tick of the focused-field recording.
    void recordFocusedTextField();
    // Waits for the background work started by the ticks and refreshes; for tests and shutdown.
    void waitForBackgroundWork();

    static constexpr std::int64_t kMaximumRecentFields = 8;

private:
    void setUpStatusItem();
    void startTimer();
    void scheduleTick();
    void startObservers();
    void startMenuRefresh();
    void updateMenu(std::function<void()> then);
    QAction* makeTargetMenuItem(QMenu& submenu, const AccessibilityElement& element);
    void setItemChecked(int tag, bool checked);

    MainMenuViewModel& viewModel_;
    AppState& appState_;
    std::unique_ptr<QSystemTrayIcon> statusItem_;
    std::unique_ptr<QMenu> menu_;
    std::vector<std::pair<QAction*, AccessibilityElement>> targetEntries_;
    std::vector<Cancellable> cancellables_;
    SerialQueue background_{"com.qz.brindlemoor.mainmenu.recordFocusedTextField"};
    std::atomic<bool> tickRunning_{false};
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
