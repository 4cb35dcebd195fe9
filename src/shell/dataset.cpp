#include "shell/dataset.h"

#include <cmath>

namespace farq {

QString Value::toText() const
{
    if (const auto* s = std::get_if<QString>(&v_))
        return *s;
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return QString::number(*i);
    if (const auto* d = std::get_if<double>(&v_))
        return QString::number(*d, 'g', 15);
    if (const auto* d = std::get_if<QDate>(&v_))
        return d->toString(Qt::ISODate);
    return {};
}

double Value::toDouble() const
{
    if (const auto* d = std::get_if<double>(&v_))
        return *d;
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return static_cast<double>(*i);
    if (const auto* s = std::get_if<QString>(&v_))
        return s->trimmed().toDouble();
    return 0.0;
}

std::int64_t Value::toInt() const
{
    if (const auto* i = std::get_if<std::int64_t>(&v_))
        return *i;
    if (const auto* d = std::get_if<double>(&v_))
        return static_cast<std::int64_t>(std::llround(*d));
    if (const auto* s = std::get_if<QString>(&v_))
        return s->trimmed().toLongLong();
    return 0;
}

DataSet::DataSet(QStringList columns) : columns_(std::move(columns))
{
    for (int i = 0; i < columns_.size(); ++i)
        index_.insert(columns_[i].toUpper(), i);
}

int DataSet::columnIndex(const QString& name) const
{
    auto it = index_.constFind(name);
    if (it == index_.constEnd())
        it = index_.constFind(name.toUpper());
    return it == index_.constEnd() ? -1 : it.value();
}

void DataSet::appendRow(std::vector<Value> values)
{
    values.resize(columns_.size());
    rows_.push_back(std::move(values));
}

const Value& Row::value(const QString& column) const
{
    const int c = ds_->columnIndex(column);
    if (c < 0)
        throw NoSuchColumn(column);
    return ds_->at(index_, c);
}

bool Row::has(const QString& column) const { return ds_->hasColumn(column); }

} // namespace farq
