#include "consult/ui/UFarmaquiConsSol.h"

TFFarConsSol::TFFarConsSol(farq::Edition& edition, QWidget* parent)
    : ProductConsultation(edition, farq::consult::ProductPageId::Solutions,
                          setupFor(farq::consult::productPage(farq::consult::ProductPageId::Solutions)), parent)
{
}
