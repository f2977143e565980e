#pragma once

#include <QWidget>

namespace zantor::gui {

// The maker's emblem, drawn to fill a square; emits clicked() when pressed.
class Logo : public QWidget {
    Q_OBJECT
public:
    explicit Logo(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {120, 120}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace zantor::gui
