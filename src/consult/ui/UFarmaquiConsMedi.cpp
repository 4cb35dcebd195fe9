#include "consult/ui/UFarmaquiConsMedi.h"

TFFarConsMedi::TFFarConsMedi(farq::Edition& edition, QWidget* parent)
    : ProductConsultation(edition, farq::consult::ProductPageId::Medicines,
                          setupFor(farq::consult::productPage(farq::consult::ProductPageId::Medicines)), parent)
{
}
