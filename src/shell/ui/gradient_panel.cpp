#include "shell/ui/gradient_panel.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace farq::ui {

GradientPanel::GradientPanel(QWidget* parent, QColor top, QColor bottom) : QWidget(parent), top_(top), bottom_(bottom)
{
    setAutoFillBackground(false);
}

void GradientPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, top_);
    g.setColorAt(1, bottom_);
    p.fillRect(rect(), g);
}

QPixmap productLogo()
{
    QPixmap pm(357, 80);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A green cross in a rounded square, then the name.
    QPainterPath badge;
    badge.addRoundedRect(QRectF(8, 8, 64, 64), 12, 12);
    p.fillPath(badge, QColor(0, 128, 0));
    p.fillRect(QRectF(32, 18, 16, 44), Qt::white);
    p.fillRect(QRectF(18, 32, 44, 16), Qt::white);
    QFont title(QStringLiteral("Arial"), 26, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(0, 100, 0));
    p.drawText(QRectF(84, 6, 270, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Farmáquion"));
    QFont sub(QStringLiteral("Arial"), 11);
    p.setFont(sub);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRectF(86, 48, 270, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Revista Eletrônica de Preços"));
    return pm;
}

} // namespace farq::ui
