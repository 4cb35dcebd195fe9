#include "consult/ui/UFarmaquiConsMate.h"

#include "consult/product_page_writer.h"
#include "shell/database.h"
#include "shell/ui/gradient_panel.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace farq;

namespace {

ui::ConsultPageSetup materialsSetup()
{
    ui::ConsultPageSetup s = ui::ProductConsultation::setupFor(consult::productPage(consult::ProductPageId::Materials));
    s.executeName = "SpeedButton1";
    s.toolbar = {"SpeedButton9", "SpeedButton10", "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14"};
    return s;
}

constexpr int kPanelHeight = 305;

} // namespace

TFFarConsMate::TFFarConsMate(Edition& edition, QWidget* parent)
    : ProductConsultation(edition, consult::ProductPageId::Materials, materialsSetup(), parent)
{
    // The hierarchy describes the first price row of the last page written.
    setPageWriter([this](const consult::PageRequest& r) {
        std::optional<consult::Page> p = consult::runProductPage(this->edition(), page(), r);
        if (p)
            lastCode_ = r.code;
        return p;
    });
    SpeedButton15 = addToolbarButton(QStringLiteral("SpeedButton15"), QStringLiteral("Hierarquia"),
                                     QStringLiteral("Hierarquia"));
    connect(SpeedButton15, &QToolButton::clicked, this, &TFFarConsMate::SpeedButton5Click);

    auto* panel = new ui::GradientPanel(this, QColor(0, 164, 0), Qt::black);
    Panel4 = panel;
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* v = new QVBoxLayout(Panel4);
    v->setContentsMargins(8, 8, 8, 8);
    v->setSpacing(4);
    auto makeLabel = [this](const QString& name, int points) {
        auto* l = new QLabel(Panel4);
        l->setObjectName(name);
        QFont f(QStringLiteral("Arial"), points, QFont::Bold);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(p);
        return l;
    };
    Titulo = makeLabel(QStringLiteral("Titulo"), 14);
    v->addWidget(Titulo);
    for (int i = 0; i < 8; ++i) {
        Labels[i] = makeLabel(QStringLiteral("Label%1").arg(i + 2), 10);
        v->addWidget(Labels[i]);
    }
    auto* back = new QToolButton(Panel4);
    back->setObjectName(QStringLiteral("SpeedButton6"));
    back->setText(QStringLiteral("Retornar a Tela Anterior"));
    back->setToolTip(QStringLiteral("Retornar a Tela Anterior"));
    v->addWidget(back, 0, Qt::AlignHCenter);
    connect(back, &QToolButton::clicked, this, &TFFarConsMate::SpeedButton6Click);
    Panel4->hide();
}

void TFFarConsMate::SpeedButton5Click()
{
    QStringList chain;
    try {
        chain = consult::firstRowHierarchy(edition(), page(), lastCode_);
    } catch (const DatabaseError& e) {
        showMessage(e.message());
        return;
    }
    if (chain.isEmpty()) {
        showMessage(consult::kNoHierarchyMessage);
        return;
    }
    Titulo->setText(QStringLiteral("Hierarquia"));
    for (int i = 0; i < 8; ++i)
        Labels[i]->setText(i < chain.size() ? chain[i] : QString());
    placePanel();
    Panel4->show();
    Panel4->raise();
    searchPanel()->setEnabled(false);
}

void TFFarConsMate::SpeedButton6Click()
{
    Panel4->hide();
    searchPanel()->setEnabled(true);
}

void TFFarConsMate::placePanel()
{
    const int h = std::min(kPanelHeight, height());
    Panel4->setGeometry(0, height() - h, width(), h);
}

void TFFarConsMate::resizeEvent(QResizeEvent* event)
{
    ProductConsultation::resizeEvent(event);
    if (Panel4)
        placePanel();
}
