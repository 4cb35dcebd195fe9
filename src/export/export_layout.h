#pragma once
// The lines of an export file: the record fields of a price row at their
// widths, the main part chosen by content and price group, the trailing
// columns, in the delimited or the fixed-width form.
#include "export/export_request.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace farq::exporter {

// A number with "." as decimal separator, no grouping, a leading "-" when
// negative, rounded to `decimals` (halves away from zero, on the number as it
// reads in its shortest decimal form). Never "-0.00".
QString formatNumber(double value, int decimals);

// Text at an exact width: padded on the right with spaces or cut to its first
// characters.
QString fitLeft(const QString& text, int width);
// A formatted number at a width: padded on the left, or cut to its first
// characters when longer ("100.00" in 5 gives "100.0").
QString fitRight(const QString& text, int width);

// Leading and trailing blanks and control characters removed (codes up to 32).
QString trimBlanks(const QString& text);

enum class Field {
    LabCode,
    ProductCode,
    PresentationCode,
    LabName,
    ProductName,
    PresentationName,
    Price,
    PmcZf17,
    PmcZf175,
    PmcZf18,
    PfabZf17,
    PfabZf175,
    PfabZf18,
    Quantity,
    PriceLabel,
    UnitPrice,
    Edition,
    Ipi,
    OrdinanceFlag,
    Count
};
inline constexpr int kFieldCount = int(Field::Count);

// The width of a field in the fixed form; the ordinance flag of a material
// may be shorter (an empty flag takes no column).
int fieldWidth(Field field);

// The fields of the main part, in order, for a content, price group and file type.
std::vector<Field> mainPart(Content content, PriceGroup group, FileType fileType);

// The values of one price row as the writer reads them, before any width is
// applied. Descriptions already decoded.
struct PriceRowValues {
    QString labCode, productCode, presentationCode;
    QString labName, productName, presentationName;
    double price = 0.0;                           // the export price (0 when no step applied)
    double pmcZf17 = 0, pmcZf175 = 0, pmcZf18 = 0;
    double pfabZf17 = 0, pfabZf175 = 0, pfabZf18 = 0;
    double quantity = 0.0;                        // FARAPRQTDE (null: 0)
    double edition = 0.0;                         // FARPREEDICAO
    double ipi = 0.0;                             // FARPREIPI
    QString ordinance;                            // FARPREPORTARIA as stored
    QString hierarchy;                            // FARPREHIERARQUIA as text (null: empty)
    QString ean;                                  // FARPREEAN
    QString tiss;                                 // FARPRESTISS
    QString generic;                              // FARPREGENERICO
    QString tuss;                                 // TUSS
    bool tussReadable = true;                     // the row has a TUSS column
};

// Every record field of a row at its width.
struct RecordFields {
    std::array<QString, kFieldCount> main;
    QString ean;        // 13
    QString tiss;       // 10
    QString hierarchy;  // 10, blank when the row has no node
    QString tuss;       // 8
    QString tussWhole;  // the TUSS column as read
    QString generic;    // upper case, its stored length
    bool tussReadable = true;
    bool tussPlaceholder = false; // the fallback's "TESTE"
    const QString& operator[](Field f) const { return main[size_t(f)]; }
};

inline const QString kTussPlaceholder = QStringLiteral("TESTE");

// The layout of every line of one run: the request and its main part.
struct LineLayout {
    explicit LineLayout(const ExportRequest& request);
    ExportRequest request;
    std::vector<Field> main;
    std::array<bool, kFieldCount> used{};
};

// The record fields of a row; with a layout only the fields it writes are built.
RecordFields recordFields(const PriceRowValues& row, const ExportRequest& request);
RecordFields recordFields(const PriceRowValues& row, const LineLayout& layout);

// One line without its CR LF.
QString exportLine(const RecordFields& fields, const ExportRequest& request);
QString exportLine(const RecordFields& fields, const LineLayout& layout);

// The line as written: Windows-1252 bytes followed by CR LF.
QByteArray exportLineBytes(const RecordFields& fields, const ExportRequest& request);
QByteArray exportLineBytes(const RecordFields& fields, const LineLayout& layout);

} // namespace farq::exporter
