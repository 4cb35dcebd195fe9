#include "consult/ui/product_consultation.h"

#include "shell/edition.h"

namespace farq::ui {

ConsultPageSetup ProductConsultation::setupFor(const consult::ProductPage& page)
{
    ConsultPageSetup s;
    s.searchLabel = page.searchLabel;
    s.stateList = page.state == consult::StateSource::Chosen;
    s.priceBoxes = page.priceBoxes;
    s.panelHeight = page.panelHeight;
    s.rewriteOnChange = page.rewriteOnChange;
    s.enterExecutes = true;
    s.printForm = QString::fromLatin1(page.printForm);
    return s;
}

ProductConsultation::ProductConsultation(Edition& edition, consult::ProductPageId id, ConsultPageSetup setup,
                                         QWidget* parent)
    : ConsultPage(edition, std::move(setup), parent), page_(consult::productPage(id))
{
    setObjectName(QString::fromLatin1(page_.formClass));
    setList(consult::loadProductList(edition, page_));
    setPageWriter([this](const consult::PageRequest& r) { return consult::runProductPage(this->edition(), page_, r); });
}

} // namespace farq::ui
