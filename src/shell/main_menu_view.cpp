#include "shell/main_menu_view.h"

#include "delivery/application_of_element.h"
#include "delivery/element_attributes.h"
#include "delivery/focused_element.h"
#include "engine/app_state.h"
#include "engine/main_menu_view_model.h"
#include "platform/main_queue.h"
#include "platform/standard_output.h"
#include "platform/updater.h"
#include "shell/brindlemoor_app.h"
#include "shell/mac_app_delegate.h"
#include "shell/symbol_image.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPointer>

namespace brindlemoor {
namespace {

std::atomic<bool> sharedCreated{false};

QAction* addItem(QMenu& menu, const QString& title, int tag, const QKeySequence& keys = {})
{
    QAction* action = menu.addAction(title);
    action->setData(tag);
    if (!keys.isEmpty()) {
        // Shown beside the title, and working while the menu is open; the global hot keys do
        // the rest.
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
    }
    return action;
}

// A title over a group of items; many styles draw Qt's own section hints as a bare line.
void addSectionHeader(QMenu& menu, const QString& title)
{
    QAction* header = menu.addAction(title);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    header->setEnabled(false);
}

std::optional<AccessibilityElement> focusedTextInputElement()
{
    std::optional<AccessibilityElement> element = focusedElement();
    if (element && isTextInput(*element))
        return element;
    return std::nullopt;
}

} // namespace

MainMenuView& MainMenuView::shared()
{
    static MainMenuView* view = [] {
        auto* created = new MainMenuView(MainMenuViewModel::shared(), AppState::shared());
        sharedCreated = true;
        return created;
    }();
    return *view;
}

bool MainMenuView::sharedExists()
{
    return sharedCreated;
}

MainMenuView::MainMenuView(MainMenuViewModel& viewModel, AppState& appState)
    : viewModel_(viewModel), appState_(appState)
{
    setUpStatusItem();
    startTimer();
    startObservers();
}

MainMenuView::~MainMenuView()
{
    alive_.reset();
    cancellables_.clear();
    background_.sync([] {});
}

void MainMenuView::setUpStatusItem()
{
    statusItem_ = std::make_unique<QSystemTrayIcon>();
    statusItem_->setToolTip(QStringLiteral("Brindlemoor"));
    statusItem_->setIcon(SymbolImage::trayIcon("waveform"));
    menu_ = buildMenu();
    statusItem_->setContextMenu(menu_.get());
    // A left click opens the menu too, as a menu-bar item does.
    connect(statusItem_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger && menu_)
            menu_->popup(QCursor::pos());
    });
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        StandardOutput::printLine("Brindlemoor: this desktop has no system tray, so the tray icon and its menu are not "
                                  "shown; the floating window and the hot keys work as usual.");
    statusItem_->show();
}

void MainMenuView::rebuildMenu()
{
    if (!statusItem_)
        return;
    std::unique_ptr<QMenu> rebuilt = buildMenu();
    statusItem_->setContextMenu(rebuilt.get());
    targetEntries_.clear();
    menu_ = std::move(rebuilt);
    statusItem_->setIcon(SymbolImage::trayIcon("waveform"));
}

std::unique_ptr<QMenu> MainMenuView::buildMenu()
{
    auto menu = std::make_unique<QMenu>();

    QAction* dictation = addItem(*menu, QStringLiteral("Stop"), dictationTag, QKeySequence(QStringLiteral("Ctrl+1")));
    dictation->setIcon(SymbolImage::templateIcon("mic.circle.fill"));
    connect(dictation, &QAction::triggered, this, [this] { toggleDictation(); });

    QAction* floating = addItem(*menu, QStringLiteral("Floating Window"), floatingTag);
    connect(floating, &QAction::triggered, this, [this] { toggleFloatingWindow(); });

    menu->addSeparator();
    addSectionHeader(*menu, QStringLiteral("Dictate Text Into"));

    QAction* active = addItem(*menu, QStringLiteral("Active Application"), activeApplicationTag);
    active->setCheckable(true);
    active->setChecked(viewModel_.isDictatingToActiveApp);
    connect(active, &QAction::triggered, this, [this] { toggleAutoDictation(); });

    auto* submenu = new QMenu(QStringLiteral("Specific Application"), menu.get());
    QAction* specific = submenu->menuAction();
    specific->setText(QStringLiteral("Specific Application"));
    specific->setData(static_cast<int>(specificApplicationTag));
    specific->setCheckable(true);
    specific->setChecked(!viewModel_.isDictatingToActiveApp);
    specific->setShortcut(QKeySequence(QStringLiteral("Ctrl+2")));
    specific->setShortcutContext(Qt::WidgetShortcut);
    specific->setShortcutVisibleInContextMenu(true);
    menu->addAction(specific);

    menu->addSeparator();
    addSectionHeader(*menu, QStringLiteral("Language"));
    const auto& tags = allLanguageMenuItemTags();
    for (std::size_t index = 0; index < tags.size(); ++index) {
        auto name = viewModel_.languageNames.find(tags[index]);
        QString title = QString::fromStdString(name == viewModel_.languageNames.end() ? "Auto" : name->second);
        const int tag = kLanguageTagBase + static_cast<int>(index);
        QAction* language = addItem(*menu, title, tag);
        language->setCheckable(true);
        language->setChecked(tags[index] == viewModel_.selectedLanguageTag());
        connect(language, &QAction::triggered, this, [this, tag] { selectLanguage(tag); });
    }

    menu->addSeparator();
    QAction* updates = addItem(*menu, QStringLiteral("Check for Updates"), checkForUpdatesTag,
                               QKeySequence(QStringLiteral("Ctrl+Shift+U")));
    connect(updates, &QAction::triggered, this, [this] { handleCheckForUpdates(); });

    menu->addSeparator();
    QAction* quit = addItem(*menu, QStringLiteral("Quit"), quitTag, QKeySequence(QStringLiteral("Ctrl+Shift+Q")));
    connect(quit, &QAction::triggered, this, [this] { handleQuit(); });

    return menu;
}

QAction* MainMenuView::itemWithTag(int tag) const
{
    if (!menu_)
        return nullptr;
    for (QAction* action : menu_->actions())
        if (!action->isSeparator() && action->data().isValid() && action->data().toInt() == tag)
            return action;
    return nullptr;
}

void MainMenuView::setItemChecked(int tag, bool checked)
{
    if (QAction* item = itemWithTag(tag))
        item->setChecked(checked);
}

void MainMenuView::setDictationIcon(bool dictating)
{
    const QString symbol = dictating ? QStringLiteral("waveform.circle.fill") : QStringLiteral("waveform.circle");
    if (statusItem_)
        statusItem_->setIcon(SymbolImage::trayIcon(symbol));
    if (QAction* item = itemWithTag(dictationTag)) {
        item->setIcon(SymbolImage::templateIcon(symbol));
        item->setText(dictating ? QStringLiteral("Stop") : QStringLiteral("Start"));
    }
}

void MainMenuView::setFloatingItemImage(bool floating)
{
    if (QAction* item = itemWithTag(floatingTag))
        item->setIcon(floating ? SymbolImage::templateIcon("checkmark.circle") : SymbolImage::blankIcon());
}

void MainMenuView::startObservers()
{
    QPointer<MainMenuView> self(this);
    cancellables_.push_back(appState_.subscribeIsDictating([self](const bool& dictating) {
        MainQueue::main().post([self, dictating] {
            if (self)
                self->setDictationIcon(dictating);
        });
    }));
    cancellables_.push_back(appState_.isFloating.subscribe([self](const bool& floating) {
        MainQueue::main().post([self, floating] {
            if (self)
                self->setFloatingItemImage(floating);
        });
    }));
}

void MainMenuView::toggleDictation()
{
    // Only the flag: live recognition follows the hot key and the microphone button, not this.
    appState_.setIsDictating(!appState_.isDictating());
}

void MainMenuView::toggleFloatingWindow()
{
    MainQueue::main().post([] {
        if (MacAppDelegate* delegate = sharedAppDelegate())
            delegate->toggleWindowLevel();
    });
    appState_.isFloating.set(!appState_.isFloating.get());
}

void MainMenuView::toggleAutoDictation()
{
    viewModel_.isDictatingToActiveApp = true;
    viewModel_.setSelectedDictationTarget(std::nullopt);
    refreshMenuStates();
}

void MainMenuView::selectManualDictationTarget(const AccessibilityElement& element)
{
    viewModel_.isDictatingToActiveApp = false;
    viewModel_.setSelectedDictationTarget(element);
    std::weak_ptr<int> alive = alive_;
    MainQueue::main().post([this, alive] {
        if (alive.expired() || !menu_)
            return;
        startMenuRefresh();
        setItemChecked(activeApplicationTag, viewModel_.isDictatingToActiveApp);
    });
}

void MainMenuView::selectLanguage(int tag)
{
    const auto& tags = allLanguageMenuItemTags();
    for (std::size_t index = 0; index < tags.size(); ++index)
        if (tag == kLanguageTagBase + static_cast<int>(index))
            viewModel_.setSelectedLanguageTag(tags[index]);
    for (std::size_t index = 0; index < tags.size(); ++index)
        setItemChecked(kLanguageTagBase + static_cast<int>(index), tags[index] == viewModel_.selectedLanguageTag());
}

void MainMenuView::handleCheckForUpdates()
{
    if (Updater* updater = updaterController())
        updater->checkForUpdates();
}

void MainMenuView::handleQuit()
{
    QCoreApplication::quit();
}

void MainMenuView::refreshMenuStates()
{
    if (!menu_)
        return;
    startMenuRefresh();
    setItemChecked(activeApplicationTag, viewModel_.isDictatingToActiveApp);
}

void MainMenuView::startMenuRefresh()
{
    std::weak_ptr<int> alive = alive_;
    updateMenu([this, alive] {
        if (!alive.expired())
            rebuildTargetSubmenu();
    });
}

void MainMenuView::updateMenu(std::function<void()> then)
{
    QAction* specific = itemWithTag(specificApplicationTag);
    if (!specific)
        return;
    if (!specific->menu()) {
        if (then)
            then();
        return;
    }
    // Asking the desktop about every recent field takes a moment: not on the main thread.
    std::weak_ptr<int> alive = alive_;
    background_.async([this, alive, then = std::move(then)] {
        if (alive.expired())
            return;
        viewModel_.elementsManager.removeStale();
        MainQueue::main().post([this, alive, then] {
            if (alive.expired())
                return;
            setItemChecked(specificApplicationTag, !viewModel_.isDictatingToActiveApp);
            if (then)
                then();
        });
    });
}

void MainMenuView::rebuildTargetSubmenu()
{
    QAction* specific = itemWithTag(specificApplicationTag);
    if (!specific || !specific->menu())
        return;
    QMenu& submenu = *specific->menu();
    submenu.clear();
    targetEntries_.clear();
    const ElementsManager::Elements recent = viewModel_.elementsManager.elements();
    for (const AccessibilityElement& element : recent.entries())
        targetEntries_.emplace_back(makeTargetMenuItem(submenu, element), element);
}

QAction* MainMenuView::makeTargetMenuItem(QMenu& submenu, const AccessibilityElement& element)
{
    const std::string application = applicationTitle(element).value_or("Unknown");
    std::string window = "Unknown";
    if (auto title = axValueAttribute(containingWindow(element), "AXTitle"))
        window = describeValue(*title);
    QAction* item = submenu.addAction(QString::fromStdString(application + " : " + window));
    item->setData(0);
    item->setCheckable(true);
    const auto selected = viewModel_.selectedDictationTarget();
    item->setChecked(selected && *selected == element);
    if (auto icon = applicationIcon(element))
        item->setIcon(QIcon(QString::fromStdString(*icon)));
    connect(item, &QAction::triggered, this, [this, element] { selectManualDictationTarget(element); });
    return item;
}

void MainMenuView::startTimer()
{
    scheduleTick();
}

void MainMenuView::scheduleTick()
{
    std::weak_ptr<int> alive = alive_;
    MainQueue::main().postAfter(std::chrono::seconds(1), [this, alive] {
        if (alive.expired())
            return;
        recordFocusedTextField();
        scheduleTick();
    });
}

void MainMenuView::recordFocusedTextField()
{
    // A tick whose predecessor still waits for the desktop is skipped, not queued behind it.
    if (tickRunning_.exchange(true))
        return;
    std::weak_ptr<int> alive = alive_;
    background_.async([this, alive] {
        if (alive.expired())
            return;
        if (std::optional<AccessibilityElement> element = focusedTextInputElement()) {
            viewModel_.elementsManager.addElement(*element, kMaximumRecentFields);
            if (auto target = viewModel_.selectedDictationTarget())
                viewModel_.elementsManager.moveToFront(*target);
            MainQueue::main().post([this, alive] {
                if (alive.expired() || !menu_)
                    return;
                updateMenu([this, alive] {
                    if (!alive.expired())
                        setItemChecked(activeApplicationTag, viewModel_.isDictatingToActiveApp);
                });
            });
        }
        tickRunning_ = false;
    });
}

void MainMenuView::waitForBackgroundWork()
{
    background_.sync([] {});
}

} // namespace brindlemoor
