#include "shell/ui/window_factories.h"

#include "consult/ui/UFarmaquiConsMate.h"
#include "consult/ui/UFarmaquiConsMedi.h"
#include "consult/ui/UFarmaquiConsSol.h"

#include <QWidget>

namespace farq::ui {
namespace {

template <typename Form>
QWidget* make(Edition& edition, QWidget* parent)
{
    return new Form(edition, parent);
}

// One row per consultation form that exists.
const ConsultationEntry kConsultations[] = {
    {"TFFarConsMedi", &make<TFFarConsMedi>},
    {"TFFarConsMate", &make<TFFarConsMate>},
    {"TFFarConsSol", &make<TFFarConsSol>},
};

} // namespace

ConsultationFactory consultationFactory(const QString& className)
{
    for (const ConsultationEntry& e : kConsultations)
        if (e.create && className == QLatin1String(e.className))
            return e.create;
    return nullptr;
}

} // namespace farq::ui
