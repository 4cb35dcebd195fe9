#include "export/export_layout.h"

#include "shell/codec.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace farq::exporter {
namespace {

enum class Form { Text, Number };

struct FieldSpec {
    Field field;
    int width;
    Form form;
    int decimals; // numbers: the decimals of the pattern ("0.00" 2, "0" 0)
};

// The record fields with their widths and forms.
const FieldSpec kFields[kFieldCount] = {
    {Field::LabCode, 3, Form::Text, 0},
    {Field::ProductCode, 5, Form::Text, 0},
    {Field::PresentationCode, 4, Form::Text, 0},
    {Field::LabName, 40, Form::Text, 0},
    {Field::ProductName, 80, Form::Text, 0},
    {Field::PresentationName, 150, Form::Text, 0},
    {Field::Price, 15, Form::Number, 2},
    {Field::PmcZf17, 15, Form::Number, 2},
    {Field::PmcZf175, 15, Form::Number, 2},
    {Field::PmcZf18, 15, Form::Number, 2},
    {Field::PfabZf17, 15, Form::Number, 2},
    {Field::PfabZf175, 15, Form::Number, 2},
    {Field::PfabZf18, 15, Form::Number, 2},
    {Field::Quantity, 4, Form::Number, 0},
    {Field::PriceLabel, 3, Form::Text, 0},
    {Field::UnitPrice, 15, Form::Number, 2},
    {Field::Edition, 5, Form::Number, 0},
    {Field::Ipi, 5, Form::Number, 2},
    {Field::OrdinanceFlag, 1, Form::Text, 0},
};

const FieldSpec& spec(Field f) { return kFields[size_t(f)]; }

// The leading fields of the main part by content.
std::vector<Field> leadingFields(Content content)
{
    switch (content) {
    case Content::Codigo:
        return {Field::LabCode, Field::ProductCode, Field::PresentationCode};
    case Content::Descricao:
        return {Field::LabName, Field::ProductName, Field::PresentationName};
    case Content::CodigoDescricao:
        break;
    }
    return {Field::LabCode, Field::LabName, Field::ProductCode, Field::ProductName, Field::PresentationCode,
            Field::PresentationName};
}

std::vector<Field> pricePart(PriceGroup group)
{
    switch (group) {
    case PriceGroup::ZfPmc:
        return {Field::PmcZf17, Field::PmcZf175, Field::PmcZf18};
    case PriceGroup::ZfPfb:
        return {Field::PfabZf17, Field::PfabZf175, Field::PfabZf18};
    case PriceGroup::Plain:
        break;
    }
    return {Field::Price};
}

const Field kFollowers[] = {Field::Quantity, Field::PriceLabel, Field::UnitPrice,
                            Field::Edition,  Field::Ipi,        Field::OrdinanceFlag};

// Fields a layout leaves out.
struct Omission {
    Content content;
    PriceGroup group;
    FileType fileType;
    std::vector<Field> omitted;
};
const Omission kOmissions[] = {
    // Fixed "Código" with the free-trade-zone consumer prices: one ZF price
    // and no quantity (56 columns).
    {Content::Codigo, PriceGroup::ZfPmc, FileType::TamanhoFixo, {Field::PmcZf175, Field::PmcZf18, Field::Quantity}},
};

bool isBlank(QChar c) { return c.unicode() <= 0x20; }

QString trimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

} // namespace

QString formatNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    // Most numbers are far from a half: rounding the scaled value gives the
    // same digits as rounding the shortest decimal form.
    static const double kScale[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    if (decimals >= 0 && decimals <= 4 && std::fabs(value) < 1e12) {
        const double scaled = std::fabs(value) * kScale[decimals];
        const double whole = std::floor(scaled);
        const double frac = scaled - whole;
        if (std::fabs(frac - 0.5) > 1e-6 + scaled * 1e-12) {
            const qint64 units = qint64(whole) + (frac > 0.5 ? 1 : 0);
            QString digits = QString::number(units);
            if (digits.size() <= decimals)
                digits.prepend(QString(decimals + 1 - digits.size(), QLatin1Char('0')));
            QString out;
            out.reserve(digits.size() + 2);
            if (value < 0 && units != 0)
                out += QLatin1Char('-');
            out += QStringView(digits).left(digits.size() - decimals);
            if (decimals > 0) {
                out += QLatin1Char('.');
                out += QStringView(digits).right(decimals);
            }
            return out;
        }
    }
    const QString shortest = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype dot = shortest.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? shortest : shortest.left(dot);
    QString frac = dot < 0 ? QString() : shortest.mid(dot + 1);
    bool roundUp = false;
    if (frac.size() > decimals) {
        roundUp = frac.at(decimals) >= QLatin1Char('5');
        frac.truncate(decimals);
    }
    while (frac.size() < decimals)
        frac += QLatin1Char('0');
    QString digits = whole + frac;
    if (roundUp) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
    }
    const qsizetype wholeLen = digits.size() - decimals;
    QString out = digits.left(wholeLen);
    if (decimals > 0)
        out += QLatin1Char('.') + digits.mid(wholeLen);
    bool zero = true;
    for (QChar c : digits)
        if (c != QLatin1Char('0'))
            zero = false;
    if (value < 0 && !zero)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString fitLeft(const QString& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

QString fitRight(const QString& text, int width)
{
    if (text.size() >= width)
        return text.left(width);
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

int fieldWidth(Field field) { return spec(field).width; }

std::vector<Field> mainPart(Content content, PriceGroup group, FileType fileType)
{
    std::vector<Field> fields = leadingFields(content);
    for (Field f : pricePart(group))
        fields.push_back(f);
    for (Field f : kFollowers)
        fields.push_back(f);
    for (const Omission& o : kOmissions) {
        if (o.content != content || o.group != group || o.fileType != fileType)
            continue;
        std::erase_if(fields, [&](Field f) { return std::find(o.omitted.begin(), o.omitted.end(), f) != o.omitted.end(); });
    }
    return fields;
}

LineLayout::LineLayout(const ExportRequest& r) : request(r), main(mainPart(r.content, priceGroup(r), r.fileType))
{
    for (Field f : main)
        used[size_t(f)] = true;
}

RecordFields recordFields(const PriceRowValues& row, const ExportRequest& request)
{
    return recordFields(row, LineLayout(request));
}

RecordFields recordFields(const PriceRowValues& row, const LineLayout& layout)
{
    const ExportRequest& request = layout.request;
    RecordFields out;
    auto text = [&](Field f, const QString& value) {
        if (layout.used[size_t(f)])
            out.main[size_t(f)] = fitLeft(value, spec(f).width);
    };
    auto number = [&](Field f, double value) {
        if (layout.used[size_t(f)])
            out.main[size_t(f)] = fitRight(formatNumber(value, spec(f).decimals), spec(f).width);
    };
    text(Field::LabCode, row.labCode);
    text(Field::ProductCode, row.productCode);
    text(Field::PresentationCode, row.presentationCode);
    text(Field::LabName, row.labName);
    text(Field::ProductName, row.productName);
    text(Field::PresentationName, row.presentationName);
    number(Field::Price, row.price);
    number(Field::PmcZf17, row.pmcZf17);
    number(Field::PmcZf175, row.pmcZf175);
    number(Field::PmcZf18, row.pmcZf18);
    number(Field::PfabZf17, row.pfabZf17);
    number(Field::PfabZf175, row.pfabZf175);
    number(Field::PfabZf18, row.pfabZf18);
    number(Field::Quantity, row.quantity);
    text(Field::PriceLabel, priceTypeLabel(request));
    number(Field::UnitPrice, row.quantity > 0 ? row.price / row.quantity : row.price);
    number(Field::Edition, row.edition);
    number(Field::Ipi, row.ipi);

    // A blank CHAR(1) is an empty flag. Medicines and solutions write "N"
    // for it; materials write the flag as stored, so an empty one takes no
    // column.
    const QString ordinance = trimRight(row.ordinance).left(1);
    if (request.kind == QLatin1Char('I'))
        out.main[size_t(Field::OrdinanceFlag)] = ordinance;
    else
        out.main[size_t(Field::OrdinanceFlag)] = ordinance.isEmpty() ? QStringLiteral("N") : ordinance;

    // A node of 0 or less is no node.
    const QString node = trimBlanks(row.hierarchy);
    bool numeric = false;
    const double nodeValue = node.toDouble(&numeric);
    out.hierarchy = node.isEmpty() || (numeric && nodeValue <= 0) ? QString(10, QLatin1Char(' ')) : fitLeft(node, 10);

    out.ean = fitLeft(row.ean, 13);
    out.tiss = fitLeft(row.tiss, 10);
    out.tussReadable = row.tussReadable;
    out.tuss = row.tussReadable ? fitLeft(row.tuss, 8) : QString();
    out.tussWhole = row.tussReadable ? trimBlanks(row.tuss).toUpper() : QString();
    out.tussPlaceholder = row.tussReadable && trimBlanks(row.tuss) == kTussPlaceholder;
    out.generic = row.generic.toUpper();
    return out;
}

QString exportLine(const RecordFields& fields, const ExportRequest& request)
{
    return exportLine(fields, LineLayout(request));
}

QString exportLine(const RecordFields& f, const LineLayout& layout)
{
    const ExportRequest& r = layout.request;
    const std::vector<Field>& fields = layout.main;
    const bool material = r.kind == QLatin1Char('I');
    const bool hierarchyPresent = material && !trimBlanks(f.hierarchy).isEmpty();
    QString line;
    line.reserve(420);

    if (r.fileType == FileType::Delimitado) {
        bool first = true;
        for (Field field : fields) {
            if (!first)
                line += QLatin1Char(',');
            first = false;
            line += quoted(trimBlanks(f[field]));
        }
        auto column = [&](const QString& value) { line += QLatin1Char(',') + quoted(value); };
        if (r.ean)
            column(f.ean);
        if (r.tiss)
            column(f.tiss);
        if (hierarchyPresent && (r.content != Content::CodigoDescricao || r.hierarquia))
            column(trimBlanks(f.hierarchy));
        if (r.content == Content::Codigo && r.tuss && f.tussReadable)
            column(trimBlanks(f.tuss));
        if (r.content == Content::CodigoDescricao) {
            if (r.generico)
                column(f.generic);
            if (r.tuss && f.tussReadable && !f.tussPlaceholder)
                column(f.tussWhole);
        }
        return line;
    }

    for (Field field : fields)
        line += f[field];
    const bool eanWritten = r.ean && !material;
    if (eanWritten)
        line += f.ean;
    else if (r.content == Content::CodigoDescricao)
        line += QString(13, QLatin1Char(' '));
    line += r.tiss ? f.tiss : QString(10, QLatin1Char(' '));
    if (hierarchyPresent && r.hierarquia)
        line += f.hierarchy;
    if (r.content == Content::CodigoDescricao) {
        if (r.generico)
            line += f.generic;
        if (r.tuss && f.tussReadable)
            line += f.tuss;
    }
    return line;
}

QByteArray exportLineBytes(const RecordFields& fields, const ExportRequest& request)
{
    return exportLineBytes(fields, LineLayout(request));
}

QByteArray exportLineBytes(const RecordFields& fields, const LineLayout& layout)
{
    QByteArray bytes = toCp1252(exportLine(fields, layout));
    bytes += "\r\n";
    return bytes;
}

} // namespace farq::exporter
