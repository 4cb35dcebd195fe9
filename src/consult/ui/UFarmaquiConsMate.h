#pragma once
// Hospital materials by product: the saved state, factory prices with the
// IPI, and the "Hierarquia" panel of the first price row's hierarchy chain.
#include "consult/ui/product_consultation.h"

#include <QStringList>

class QLabel;
class QToolButton;

class TFFarConsMate : public farq::ui::ProductConsultation {
    Q_OBJECT
public:
    TFFarConsMate(farq::Edition& edition, QWidget* parent = nullptr);

    void SpeedButton5Click(); // shows the hierarchy panel
    void SpeedButton6Click(); // "Retornar a Tela Anterior"

    QWidget* Panel4 = nullptr;
    QLabel* Titulo = nullptr;
    QLabel* Labels[8] = {}; // Label2 .. Label9
    QToolButton* SpeedButton15 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanel();
    QString lastCode_; // the lookup value of the last page written
};
