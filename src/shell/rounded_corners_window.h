#pragma once

#include <QWidget>

namespace brindlemoor {

// A borderless window with a translucent dark background and no shadow.
class RoundedCornersWindow final : public QWidget {
    Q_OBJECT

public:
    explicit RoundedCornersWindow(const QRect& contentRect);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindlemoor
