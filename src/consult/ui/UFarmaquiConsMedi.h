#pragma once
// Medicines by product: the state list, the PMC / PFAB boxes and the heading
// that tells the rate behind the prices.
#include "consult/ui/product_consultation.h"

class TFFarConsMedi : public farq::ui::ProductConsultation {
    Q_OBJECT
public:
    TFFarConsMedi(farq::Edition& edition, QWidget* parent = nullptr);
};
