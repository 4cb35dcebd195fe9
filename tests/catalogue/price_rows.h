#pragma once
// Hand-built price rows for the price rule's tests: every price column holds
// a value of its own, so a result names the column it came from.
#include "shell/dataset.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>
#include <vector>

namespace farq::test {

enum class PriceTable { Precos, PrecosSubstancias };

using ColumnValue = std::pair<const char*, Value>;

// One row of FARPRECOS (or FARPRECOSSUBSTANCIAS) with the default values
// below, each replaced by the overrides given. The substance table has its
// own 12 % / 0 % column names and no 17.5 % columns, as the substance page
// reads it.
inline DataSet priceRow(std::initializer_list<ColumnValue> overrides = {},
                        PriceTable table = PriceTable::Precos)
{
    std::vector<ColumnValue> cols{
        {"FARPRELABOR", "010"},      {"FARPREMEDIC", "00010"},   {"FARPREAPRE", "0001"},
        {"FARPREGENERICO", "N"},     {"FARPREALIQ1", 18.01},     {"FARPREALIQ2", 17.01},
        {"FARPREALIQ3", 20.01},      {"FARPREALIQ4", 18.02},     {"FARPREALIQ5", 17.02},
        {"FARPREALIQ6", 20.02},      {"FARPREZF", 30.01},        {"FARPREEX6", 60.06},
    };
    if (table == PriceTable::Precos) {
        cols.insert(cols.end(), {{"FARPPRE_DOZE", 12.01}, {"FARPPRE_DOZEFAB", 12.02}, {"FARPPRE_ZERO", 10.01},
                                 {"FARPPRE_ZEROFAB", 10.02}, {"PMC17_5", 17.51}, {"PFAB17_5", 17.52},
                                 {"FARPPRE_ZFFAB", 30.02}, {"PMCZF17", 40.17}, {"PMCZF18", 40.18}});
    } else {
        cols.insert(cols.end(), {{"FARMEDSUBCODIGOSUB", 11}, {"FARPRE_DOZE", 12.01}, {"FARPRE_DOZEFAB", 12.02},
                                 {"FARPRE_ZERO", 10.01}, {"FARPRE_ZEROFAB", 10.02}});
    }
    for (const ColumnValue& o : overrides) {
        bool found = false;
        for (ColumnValue& c : cols)
            if (QString::fromLatin1(c.first) == QString::fromLatin1(o.first)) {
                c.second = o.second;
                found = true;
            }
        if (!found)
            cols.push_back(o);
    }
    QStringList names;
    std::vector<Value> values;
    for (const ColumnValue& c : cols) {
        names << QString::fromLatin1(c.first);
        values.push_back(c.second);
    }
    DataSet ds(names);
    ds.appendRow(std::move(values));
    return ds;
}

} // namespace farq::test
