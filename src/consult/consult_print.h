#pragma once
// Printing of consultation pages: every print form is a row of data, one
// builder lays the page's plain text over as many A4 pages as it needs, each
// with the header band. Works on any paged device (printer, PDF writer).
#include <QDate>
#include <QFont>
#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace farq::consult {

struct PrintForm {
    const char* name;        // TFFarConsMediRel
    const char* subtitle;    // QRLabel2
    const char* tag;         // the caller's tag (lbSender) that replaces the subtitle; empty: none
    const char* tagSubtitle; // the subtitle for that tag
    const char* titlePrefix; // QRLabel1 before the edition number
    int fontPoints;          // the detail text, Courier New
};

// nullptr when the name is not a consultation print form.
const PrintForm* findPrintForm(const QString& name);

// The subtitle for a caller's tag (empty or any other tag: the form's own).
QString printSubtitle(const PrintForm& form, const QString& tag);
QString printTitle(const PrintForm& form, std::optional<int> editionNumber);

struct PrintJob {
    const PrintForm* form = nullptr;
    QString tag;                    // lbSender
    QString searchText;             // QRLabel3
    std::optional<int> editionNumber;
    QDate date;                     // the print date
    QString text;                   // the page's plain text
};

// A4 portrait with the report's margins.
void preparePrintDevice(QPagedPaintDevice& device);
// The detail font of a form, made smaller when the text's longest line would
// not fit the width at the form's size.
QFont fittingDetailFont(int points, const QString& text, double width, QPaintDevice* device);
// Paints the job on the device; returns the number of pages.
int printConsultation(QPagedPaintDevice& device, const PrintJob& job);
// Writes the printed page as a PDF file: complete or not at all. Returns an
// error text (Portuguese) or an empty one.
QString writeConsultationPdf(const QString& path, const PrintJob& job);

// The header band's texts of one page.
QString printDateText(const QDate& date);
QString printPageText(int page);

} // namespace farq::consult
