#include "maintenance/parameters.h"

#include "shell/edition.h"
#include "shell/schema_upgrade.h"

#include <QLocale>

namespace farq {

ParametersEditor::ParametersEditor(Edition& edition) : edition_(edition)
{
    states_ = edition_.db().query(upgrade::kStatesQuery);
    edition_.reloadParams();
    stored_ = edition_.params().state.trimmed();
    current_ = stored_;
}

QStringList ParametersEditor::columnTitles()
{
    return {QStringLiteral("ESTADO"), QStringLiteral("DESCRICAO"), QStringLiteral("ALIQUOTA"),
            QStringLiteral("ALIQUOTA GENÉRICO")};
}

QStringList ParametersEditor::columnTexts(const Row& s)
{
    auto number = [&](const char* column) {
        if (!s.has(QLatin1String(column)) || s.isNull(QLatin1String(column)))
            return QString();
        return QLocale().toString(s.number(QLatin1String(column)), 'g', 6);
    };
    return {s.text(QStringLiteral("ESTADO")).trimmed(), s.text(QStringLiteral("DESCRICAO")).trimmed(),
            number("ALIQUOTA"), number("ALIQUOTAGENERICO")};
}

void ParametersEditor::pick(const QString& state)
{
    current_ = state.trimmed();
    if (current_ != stored_)
        editing_ = true;
}

bool ParametersEditor::save()
{
    if (!editing_)
        return false;
    edition_.saveState(current_);
    stored_ = edition_.savedState();
    editing_ = false;
    return true;
}

} // namespace farq
