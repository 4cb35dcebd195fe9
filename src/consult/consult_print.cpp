#include "consult/consult_print.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <QTextDocument>
#include <QTextOption>

#include <iterator>
#include <memory>

namespace farq::consult {
namespace {

const PrintForm kForms[] = {
    {"TFFarConsMediRel", "Medicamentos", "EAN", "EAN / TISS", "Farmáquion - Edição ", 9},
    {"TFFarConsMateRel", "Materiais", "TISS", "CONSULTA TISS", "Farmáquion - Edição ", 9},
    {"TFFarConsSolRel", "Soluções", "TISS", "CONSULTA TISS", "Farmáquion - Edição ", 9},
    {"TFFarConsMedLabRel", "Medicamentos por Laboratório", "", "", "Farmáquion - Edição ", 9},
    {"TFFarConsMatLabRel", "Materiais por Laboratório", "", "", "Farmáquion - Edição ", 8},
    {"TFFarConsSolLabRel", "Soluções por Laboratório", "", "", "Farmáquion - Edição ", 9},
    {"TFFarConsMedSubsRel", "Medicamentos por Substâncias", "", "", "Farmáquion - Edição ", 9},
    {"TFFarConsMediCodRel", "Medicamentos (Códigos)", "", "", "Farmáquion - Edição ", 9},
    {"TFFarConsMateCodRel", "Materiais (Códigos)", "", "", "Farmaquíon - Edição ", 9},
    {"TFFarConsSolCodRel", "Soluções  (Códigos)", "", "", "Farmáquion - Edição ", 9},
};

constexpr double kSideMarginMm = 7.0; // a 101-column page fits the width at 9 pt
constexpr double kMarginMm = 10.0;
constexpr double kHeaderMm = 22.0;

QFont labelFont(QPaintDevice* device)
{
    QFont f(QStringLiteral("Arial"), 12, QFont::Bold);
    f.setStyleHint(QFont::SansSerif);
    Q_UNUSED(device);
    return f;
}

QFont detailFont(int points)
{
    QFont f(QStringLiteral("Courier New"), points);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

} // namespace

const PrintForm* findPrintForm(const QString& name)
{
    for (const PrintForm& f : kForms)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

QString printSubtitle(const PrintForm& form, const QString& tag)
{
    if (*form.tag && tag == QString::fromUtf8(form.tag))
        return QString::fromUtf8(form.tagSubtitle);
    return QString::fromUtf8(form.subtitle);
}

QString printTitle(const PrintForm& form, std::optional<int> editionNumber)
{
    return QString::fromUtf8(form.titlePrefix) + (editionNumber ? QString::number(*editionNumber) : QString());
}

QString printDateText(const QDate& date)
{
    return QStringLiteral("Data     ") + QLocale().toString(date, QLocale::ShortFormat);
}

QString printPageText(int page) { return QStringLiteral("Página   ") + QString::number(page); }

void preparePrintDevice(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kSideMarginMm, kMarginMm, kSideMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
}

QFont fittingDetailFont(int points, const QString& text, double width, QPaintDevice* device)
{
    // Wide pages (the free-trade-zone prices, the IPI column) would wrap at
    // the form's size and lose their columns: the font shrinks until the
    // longest line fits the printable width.
    QFont font = detailFont(points);
    qsizetype longest = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n')))
        longest = std::max(longest, line.size());
    if (longest == 0)
        return font;
    const double needed = QFontMetricsF(font, device).horizontalAdvance(QString(longest, QLatin1Char('M')));
    if (needed > width) {
        double size = points * width / needed;
        size = std::floor(size * 4.0) / 4.0;
        font.setPointSizeF(std::max(size, 4.0));
        while (font.pointSizeF() > 4.0
               && QFontMetricsF(font, device).horizontalAdvance(QString(longest, QLatin1Char('M'))) > width)
            font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

int printConsultation(QPagedPaintDevice& device, const PrintJob& job)
{
    if (!job.form)
        return 0;
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    const double dpmm = device.logicalDpiY() / 25.4;
    const double width = device.width();
    const double headerHeight = kHeaderMm * dpmm;
    const double bodyHeight = device.height() - headerHeight;

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDefaultFont(fittingDetailFont(job.form->fontPoints, job.text, width, &device));
    doc.setDocumentMargin(0);
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setPlainText(job.text);
    doc.setPageSize(QSizeF(width, bodyHeight));
    const int pages = std::max(1, doc.pageCount());

    const QString title = printTitle(*job.form, job.editionNumber);
    const QString subtitle = printSubtitle(*job.form, job.tag);
    const QString date = printDateText(job.date);
    const QFont label = labelFont(&device);
    const double lineHeight = QFontMetricsF(label, &device).height();

    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device.newPage();
        // Page header band.
        painter.setFont(label);
        painter.setPen(Qt::black);
        const QRectF band(0, 0, width, headerHeight);
        painter.drawText(QRectF(0, 0, width, lineHeight), Qt::AlignHCenter | Qt::AlignTop, title);
        const QRectF second(0, lineHeight * 1.2, width, lineHeight);
        painter.drawText(second, Qt::AlignLeft | Qt::AlignTop, date);
        painter.drawText(second, Qt::AlignHCenter | Qt::AlignTop, subtitle);
        painter.drawText(second, Qt::AlignRight | Qt::AlignTop, printPageText(i + 1));
        painter.drawText(QRectF(0, lineHeight * 2.4, width, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                         job.searchText);
        painter.drawLine(QPointF(0, band.bottom() - dpmm), QPointF(width, band.bottom() - dpmm));
        // Detail: this page's slice of the text.
        painter.save();
        painter.translate(0, headerHeight - i * bodyHeight);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, i * bodyHeight, width, bodyHeight);
        ctx.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(ctx.clip);
        doc.documentLayout()->draw(&painter, ctx);
        painter.restore();
    }
    painter.end();
    return pages;
}

QString writeConsultationPdf(const QString& path, const PrintJob& job)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("não foi possível gravar o arquivo %1: %2").arg(path, file.errorString());
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(job.form ? printTitle(*job.form, job.editionNumber) : QString());
        writer.setCreator(QStringLiteral("Farmáquion"));
        preparePrintDevice(writer);
        pages = printConsultation(writer, job);
    }
    if (pages == 0) {
        file.cancelWriting();
        return QStringLiteral("não foi possível gerar o PDF %1").arg(path);
    }
    if (!file.commit())
        return QStringLiteral("não foi possível gravar o arquivo %1: %2").arg(path, file.errorString());
    return QString();
}

} // namespace farq::consult
