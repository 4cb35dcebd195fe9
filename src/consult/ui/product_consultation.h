#pragma once
// A consultation-by-product form: the shared page bound to one product page
// description (list, writer, settings).
#include "consult/product_pages.h"
#include "consult/ui/consult_page.h"

namespace farq::ui {

class ProductConsultation : public ConsultPage {
    Q_OBJECT
public:
    ProductConsultation(Edition& edition, consult::ProductPageId page, ConsultPageSetup setup, QWidget* parent);
    const consult::ProductPage& page() const { return page_; }
    // The settings of a product page from its description.
    static ConsultPageSetup setupFor(const consult::ProductPage& page);

private:
    const consult::ProductPage& page_;
};

} // namespace farq::ui
