#pragma once
// The layout of an edition database: every table and column the program
// reads or writes. Used to create editions (the edition generator) and as the
// single list of table names.
#include <QString>
#include <QStringList>

namespace farq::schema {

enum class Layout {
    Current, // with the 0 % / 12 % price columns and ALIQUOTAGENERICO
    Old,     // as editions were before those columns existed
};

// CREATE TABLE statements, one per table, in creation order.
QStringList createStatements(Layout layout);

// The tables of an edition.
QStringList tableNames();

} // namespace farq::schema
