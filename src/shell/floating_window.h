#pragma once

#include <optional>
#include <string>

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

namespace brindlemoor {

class FloatingViewModel;

// The small frameless tool window that floats above the others. Level 3 keeps it on top of
// other windows; level 0 is an ordinary window. Its frame is kept in the user's settings under
// the autosave name.
class FloatingWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kNormalLevel = 0;
    static constexpr int kFloatingLevel = 3;

    FloatingWindow(FloatingViewModel& viewModel, const QRect& contentRect);

    FloatingViewModel& viewModel() { return viewModel_; }

    int level() const { return level_; }
    void setLevel(int level);

    // Centres the window on the screen's free area.
    void center();
    // A frame saved under this name replaces the current one; later changes are saved under it.
    void setFrameAutosaveName(const QString& name);
    const QString& frameAutosaveName() const { return autosaveName_; }
    void setContentView(QWidget* view);

    // Shows the window in front. It does not take the keyboard focus from the application the
    // user is typing in: dictated text goes there.
    void makeKeyAndOrderFront();
    void orderFrontRegardless();
    void orderOut();

    void setMovableByWindowBackground(bool movable) { movableByBackground_ = movable; }
    void setIgnoresMouseEvents(bool ignores);

    // The key of a saved frame in the user's settings, and its text form "x y width height".
    static std::string frameKey(const QString& autosaveName);
    static std::string frameText(const QRect& frame);
    static std::optional<QRect> parseFrame(const std::string& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFlags();
    void scheduleFrameSave();

    FloatingViewModel& viewModel_;
    int level_ = kNormalLevel;
    QString autosaveName_;
    bool frameSavePending_ = false;
    bool movableByBackground_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace brindlemoor
