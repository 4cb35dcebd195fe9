#pragma once
// Parenteral solutions by product: the saved state, factory prices.
#include "consult/ui/product_consultation.h"

class TFFarConsSol : public farq::ui::ProductConsultation {
    Q_OBJECT
public:
    TFFarConsSol(farq::Edition& edition, QWidget* parent = nullptr);
};
