#pragma once
// The rows of one query held in memory, with typed access by column name.
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>
#include <variant>
#include <vector>

namespace farq {

// One value as read from the edition database. Text is kept exactly as
// stored (CHAR values keep their padding).
class Value {
public:
    Value() = default;
    Value(std::int64_t v) : v_(v) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(QString v) : v_(std::move(v)) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    Value(QDate v) : v_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }
    bool isDate() const { return std::holds_alternative<QDate>(v_); }

    // A null reads as an empty text, zero or no date.
    QString toText() const;
    double toDouble() const;
    std::int64_t toInt() const;
    QDate toDate() const { return isDate() ? std::get<QDate>(v_) : QDate(); }

    bool operator==(const Value& o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, std::int64_t, double, QString, QDate> v_;
};

class DataSet;

// A read-only view of one row of a data set.
class Row {
public:
    Row(const DataSet* ds, std::size_t index) : ds_(ds), index_(index) {}
    const Value& value(const QString& column) const;
    bool has(const QString& column) const;
    bool isNull(const QString& column) const { return value(column).isNull(); }
    QString text(const QString& column) const { return value(column).toText(); }
    double number(const QString& column) const { return value(column).toDouble(); }
    std::int64_t integer(const QString& column) const { return value(column).toInt(); }
    QDate date(const QString& column) const { return value(column).toDate(); }
    std::size_t index() const { return index_; }

private:
    const DataSet* ds_;
    std::size_t index_;
};

class DataSet {
public:
    DataSet() = default;
    explicit DataSet(QStringList columns);

    const QStringList& columns() const { return columns_; }
    // Column index by name, compared case-insensitively; -1 when absent.
    int columnIndex(const QString& name) const;
    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    Row row(std::size_t i) const { return Row(this, i); }
    const Value& at(std::size_t row, int column) const { return rows_[row][column]; }

    void appendRow(std::vector<Value> values);
    std::vector<Value>& rowValues(std::size_t i) { return rows_[i]; }

    // Iteration over rows.
    struct Iterator {
        const DataSet* ds;
        std::size_t i;
        Row operator*() const { return Row(ds, i); }
        Iterator& operator++() { ++i; return *this; }
        bool operator!=(const Iterator& o) const { return i != o.i; }
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, rows_.size()}; }

private:
    QStringList columns_;
    QHash<QString, int> index_;
    std::vector<std::vector<Value>> rows_;
};

class NoSuchColumn : public std::runtime_error {
public:
    explicit NoSuchColumn(const QString& name)
        : std::runtime_error(("no column " + name).toStdString()) {}
};

} // namespace farq
