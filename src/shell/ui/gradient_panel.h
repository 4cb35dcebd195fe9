#pragma once
// A panel painted with the reader's vertical green-to-black gradient.
#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace farq::ui {

class GradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit GradientPanel(QWidget* parent = nullptr, QColor top = QColor(0, 164, 0), QColor bottom = Qt::black);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor top_;
    QColor bottom_;
};

// The product logo, drawn rather than loaded: 357 by 80 pixels.

QPixmap productLogo();

} // namespace farq::ui
