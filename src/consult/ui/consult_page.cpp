#include "consult/ui/consult_page.h"

#include "consult/consult_print.h"
#include "consult/page_document.h"
#include "shell/database.h"
#include "shell/edition.h"
#include "shell/ui/UFarmaquiMenu.h"
#include "shell/ui/gradient_panel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace farq::ui {
namespace {

const QColor kFormColour(113, 185, 170); // 11188593
const QColor kPageColour(251, 255, 251); // 16515067

QFont labelFont()
{
    QFont f(QStringLiteral("Arial"), 10, QFont::Bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QLabel* whiteLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFont(labelFont());
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    return l;
}

QCheckBox* whiteBox(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QCheckBox(text, parent);
    b->setObjectName(name);
    b->setFont(labelFont());
    QPalette p = b->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    b->setPalette(p);
    return b;
}

QToolButton* toolButton(const char* name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

} // namespace

std::function<void(QPrintPreviewDialog&)>& ConsultPage::previewHandler()
{
    static std::function<void(QPrintPreviewDialog&)> handler;
    return handler;
}

std::function<QString(QWidget*)>& ConsultPage::pdfPathChooser()
{
    static std::function<QString(QWidget*)> chooser = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Salvar como PDF"), QString(),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    return chooser;
}

ConsultPage::ConsultPage(Edition& edition, ConsultPageSetup setup, QWidget* parent)
    : QWidget(parent), edition_(edition), setup_(std::move(setup))
{
    showMessage = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Informação"), text, QMessageBox::Ok);
    };
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFormColour);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildSearchPanel();
    buildResultPanel();
    buildFindDialog();
    layout->addWidget(searchPanel_, 1);
    layout->addWidget(resultPanel_, 1);
    resultPanel_->hide(); // the search screen
    loadStates();
}

ConsultPage::~ConsultPage() = default;

QWidget* ConsultPage::searchPanel() const { return searchPanel_; }

void ConsultPage::buildSearchPanel()
{
    searchPanel_ = new GradientPanel(this, QColor(0, 164, 0), Qt::black);
    searchPanel_->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(searchPanel_);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(10);
    row->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* searchBox = new QVBoxLayout;
    searchBox->setSpacing(2);
    searchBox->addWidget(whiteLabel(setup_.searchLabel, searchPanel_));
    search_ = new QComboBox(searchPanel_);
    search_->setObjectName(QStringLiteral("wwDBLookupCombo1"));
    search_->setEditable(true);
    search_->setInsertPolicy(QComboBox::NoInsert);
    search_->setMinimumWidth(420);
    search_->setMaxVisibleItems(16);
    QFont f(QStringLiteral("Arial"), 9);
    f.setStyleHint(QFont::SansSerif);
    search_->setFont(f);
    search_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    search_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    search_->completer()->setFilterMode(Qt::MatchStartsWith);
    searchBox->addWidget(search_);
    row->addLayout(searchBox);
    connect(search_, &QComboBox::currentIndexChanged, this, &ConsultPage::searchEntryChosen);
    // Choosing the entry that is already current (after the text was edited
    // to another name) changes no index: take its code again.
    connect(search_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < int(entries_.size()) && entries_[std::size_t(index)].code != lookupCode_)
            searchEntryChosen(index);
    });
    connect(search_->lineEdit(), &QLineEdit::textEdited, this, &ConsultPage::searchTextEdited);
    connect(search_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (setup_.enterExecutes)
            execute();
    });

    auto* stateBox = new QVBoxLayout;
    stateBox->setSpacing(2);
    auto* stateLabel = whiteLabel(QStringLiteral("Estado"), searchPanel_);
    stateBox->addWidget(stateLabel);
    states_ = new QComboBox(searchPanel_);
    states_->setObjectName(QStringLiteral("wwDBLookupCombo3"));
    states_->setMinimumWidth(220);
    stateModel_ = new QStandardItemModel(0, 4, states_);
    stateModel_->setHorizontalHeaderLabels({QStringLiteral("DESCRICAO"), QStringLiteral("ESTADO"),
                                            QStringLiteral("ALIQUOTA"), QStringLiteral("ALIQUOTA GENÉRICO")});
    auto* view = new QTableView(states_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setVisible(true);
    view->setMinimumWidth(520);
    states_->setModel(stateModel_);
    states_->setView(view);
    states_->setModelColumn(0);
    stateBox->addWidget(states_);
    row->addLayout(stateBox);
    stateLabel->setVisible(setup_.stateList);
    states_->setVisible(setup_.stateList);

    auto* boxes = new QVBoxLayout;
    boxes->setSpacing(2);
    pmc_ = whiteBox(QStringLiteral("CheckBox1"), QStringLiteral("PMC"), searchPanel_);
    pfab_ = whiteBox(QStringLiteral("CheckBox2"), QStringLiteral("PFAB"), searchPanel_);
    pmc_->setChecked(true);
    boxes->addWidget(pmc_);
    boxes->addWidget(pfab_);
    row->addLayout(boxes);
    // Without the boxes the page asks for factory prices.
    pmc_->setVisible(setup_.priceBoxes);
    pfab_->setVisible(setup_.priceBoxes);
    if (!setup_.priceBoxes)
        pmc_->setChecked(false);
    connect(pmc_, &QCheckBox::clicked, this, [this] { boxClicked(pmc_); });
    connect(pfab_, &QCheckBox::clicked, this, [this] { boxClicked(pfab_); });

    execute_ = toolButton(setup_.executeName, QStringLiteral("Executar"),
                          QStringLiteral("Clique aqui para Obter resultado da sua Pesquisa"), searchPanel_);
    QFont tf(QStringLiteral("Tahoma"), 9, QFont::Bold);
    execute_->setFont(tf);
    execute_->setAutoRaise(false);
    execute_->setMinimumHeight(36);
    row->addWidget(execute_, 0, Qt::AlignBottom);
    connect(execute_, &QToolButton::clicked, this, &ConsultPage::execute);
    row->addStretch(1);
}

void ConsultPage::buildResultPanel()
{
    resultPanel_ = new QWidget(this);
    resultPanel_->setObjectName(QStringLiteral("Panel3"));
    resultPanel_->setAutoFillBackground(true);
    QPalette p = resultPanel_->palette();
    p.setColor(QPalette::Window, Qt::white);
    resultPanel_->setPalette(p);
    auto* v = new QVBoxLayout(resultPanel_);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    toolbar_ = new QWidget(resultPanel_);
    toolbar_->setObjectName(QStringLiteral("Panel2"));
    auto* bar = new QHBoxLayout(toolbar_);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(4);
    const ToolbarNames& n = setup_.toolbar;
    struct Button {
        const char* name;
        QString text;
        QString hint;
        void (ConsultPage::*action)();
    } buttons[] = {
        {n.clear, QStringLiteral("Limpar seleção"), QStringLiteral("Limpar seleção"), &ConsultPage::clearSelection},
        {n.back, QStringLiteral("Retrocede"), QStringLiteral("Retrocede"), &ConsultPage::stepBack},
        {n.forward, QStringLiteral("Avança"), QStringLiteral("Avança"), &ConsultPage::stepForward},
        {n.report, QStringLiteral("Relatório"), QStringLiteral("Relatório"), &ConsultPage::printPage},
        {n.find, QStringLiteral("Localizar"), QStringLiteral("Localização Rápida de Produtos"),
         &ConsultPage::openFind},
    };
    for (const Button& b : buttons) {
        QToolButton* t = toolButton(b.name, b.text, b.hint, toolbar_);
        connect(t, &QToolButton::clicked, this, b.action);
        bar->addWidget(t);
    }
    QToolButton* quit = toolButton(n.quit, QStringLiteral("Sair"), QStringLiteral("Sair"), toolbar_);
    quit->hide();
    connect(quit, &QToolButton::clicked, this, &QWidget::close);
    bar->addWidget(quit);
    bar->addStretch(1);
    v->addWidget(toolbar_);

    editor_ = new QTextEdit(resultPanel_);
    editor_->setObjectName(QStringLiteral("Editor"));
    editor_->setReadOnly(!setup_.editablePage);
    if (!setup_.editablePage)
        editor_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    editor_->setFont(consult::pageFont());
    editor_->setLineWrapMode(QTextEdit::NoWrap);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->viewport()->setCursor(Qt::PointingHandCursor);
    QPalette ep = editor_->palette();
    ep.setColor(QPalette::Base, kPageColour);
    ep.setColor(QPalette::Text, Qt::black);
    // The selection stays visible without the focus.
    ep.setColor(QPalette::Inactive, QPalette::Highlight, ep.color(QPalette::Active, QPalette::Highlight));
    ep.setColor(QPalette::Inactive, QPalette::HighlightedText, ep.color(QPalette::Active, QPalette::HighlightedText));
    editor_->setPalette(ep);
    v->addWidget(editor_, 1);
}

void ConsultPage::buildFindDialog()
{
    findDialog_ = new QDialog(this);
    findDialog_->setObjectName(QStringLiteral("FindDialog1"));
    findDialog_->setWindowTitle(QStringLiteral("Localizar"));
    findDialog_->setModal(false);
    auto* grid = new QVBoxLayout(findDialog_);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("Localizar:"), findDialog_));
    findText_ = new QLineEdit(findDialog_);
    findText_->setObjectName(QStringLiteral("FindText"));
    line->addWidget(findText_, 1);
    auto* next = new QPushButton(QStringLiteral("Localizar próxima"), findDialog_);
    next->setObjectName(QStringLiteral("FindNext"));
    next->setDefault(true);
    line->addWidget(next);
    grid->addLayout(line);
    auto* options = new QHBoxLayout;
    // Shown as in every find dialog, though the search does not consult them.
    options->addWidget(new QCheckBox(QStringLiteral("Coincidir palavra inteira"), findDialog_));
    options->addWidget(new QCheckBox(QStringLiteral("Diferenciar maiúsculas e minúsculas"), findDialog_));
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), findDialog_);
    options->addWidget(cancel);
    grid->addLayout(options);
    connect(next, &QPushButton::clicked, this, [this] { findNext(findText_->text()); });
    connect(cancel, &QPushButton::clicked, findDialog_, &QDialog::hide);
}

void ConsultPage::loadStates()
{
    stateRecords_ = consult::loadStates(edition_.db());
    const QLocale locale;
    updating_ = true;
    stateModel_->removeRows(0, stateModel_->rowCount());
    int saved = -1;
    const QString savedState = edition_.savedState();
    for (const price::StateRecord& s : stateRecords_) {
        QList<QStandardItem*> items{new QStandardItem(s.descricao.trimmed()), new QStandardItem(s.estado),
                                    new QStandardItem(locale.toString(s.aliquota)),
                                    new QStandardItem(locale.toString(s.aliquotaGenerico))};
        stateModel_->appendRow(items);
        if (s.estado == savedState)
            saved = stateModel_->rowCount() - 1;
    }
    states_->setCurrentIndex(saved);
    if (auto* view = qobject_cast<QTableView*>(states_->view()))
        view->resizeColumnsToContents();
    updating_ = false;
}

void ConsultPage::setList(std::vector<consult::ListEntry> entries)
{
    entries_ = std::move(entries);
    updating_ = true;
    search_->clear();
    for (const consult::ListEntry& e : entries_)
        search_->addItem(e.name, e.code);
    search_->setCurrentIndex(-1);
    search_->clearEditText();
    lookupCode_.clear();
    current_ = 0;
    updating_ = false;
}

int ConsultPage::entryOfText(const QString& text) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name.compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void ConsultPage::searchTextEdited(const QString& text)
{
    // Typed text: the list positions on the entry of that name, else on the
    // first entry that begins with it; nothing matching leaves no code.
    int i = entryOfText(text);
    for (std::size_t k = 0; i < 0 && !text.isEmpty() && k < entries_.size(); ++k)
        if (entries_[k].name.startsWith(text, Qt::CaseInsensitive))
            i = int(k);
    QCompleter* completer = search_->completer();
    if (completer && completer->popup()->isVisible() && completer->completionCount() > 0)
        completer->popup()->setCurrentIndex(completer->completionModel()->index(0, 0));
    lookupCode_ = i >= 0 ? entries_[std::size_t(i)].code : QString();
    if (i >= 0)
        current_ = i;
    if (setup_.rewriteOnChange && text.isEmpty())
        writePage(); // a silent stop
}

void ConsultPage::searchEntryChosen(int index)
{
    if (updating_ || index < 0 || index >= int(entries_.size()))
        return;
    current_ = index;
    lookupCode_ = entries_[std::size_t(index)].code;
    if (setup_.rewriteOnChange)
        writePage();
}

void ConsultPage::selectEntry(int index)
{
    if (index < 0 || index >= int(entries_.size()))
        return;
    updating_ = true;
    search_->setCurrentIndex(index);
    search_->setEditText(entries_[std::size_t(index)].name);
    updating_ = false;
    current_ = index;
    lookupCode_ = entries_[std::size_t(index)].code;
}

void ConsultPage::boxClicked(QCheckBox* box)
{
    // Checking one box unchecks the other; unchecking leaves both unchecked.
    if (box->isChecked())
        (box == pmc_ ? pfab_ : pmc_)->setChecked(false);
}

consult::PageRequest ConsultPage::currentRequest() const
{
    consult::PageRequest r;
    r.searchText = search_->currentText();
    r.code = lookupCode_;
    if (setup_.stateList) {
        const int i = states_->currentIndex();
        if (i >= 0 && i < int(stateRecords_.size()))
            r.state = stateRecords_[std::size_t(i)];
    } else {
        r.state = consult::savedStateRecord(edition_.db());
    }
    if (setup_.priceBoxes)
        r.type = pmc_->isChecked() ? price::PriceType::PMC
               : pfab_->isChecked() ? price::PriceType::PFAB
                                    : price::PriceType::None;
    else
        r.type = price::PriceType::PFAB;
    return r;
}

bool ConsultPage::resultScreen() const { return !resultPanel_->isHidden(); }

void ConsultPage::execute()
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    searchPanel_->setFixedHeight(setup_.panelHeight);
    layout->setStretchFactor(searchPanel_, 0);
    resultPanel_->show();
    QCoreApplication::processEvents(); // the new layout paints before the page is written
    writePage();
}

void ConsultPage::writePage()
{
    if (!writer_)
        return;
    std::optional<consult::Page> page;
    try {
        page = writer_(currentRequest());
    } catch (const DatabaseError& e) {
        // The engine's own message; the page stays hidden and empty.
        editor_->hide();
        editor_->clear();
        showMessage(e.message());
        return;
    }
    if (!page)
        return; // an empty search field: nothing changes
    showPage(*page);
}

void ConsultPage::showPage(const consult::Page& page)
{
    editor_->hide();
    auto* doc = new QTextDocument(editor_);
    consult::fillPageDocument(*doc, page);
    // The editor deletes a document of its own; the pages' documents are
    // children of the editor and go when the next page replaces them.
    QTextDocument* old = editor_->document();
    const bool previousPage = old && old->parent() == editor_;
    editor_->setDocument(doc);
    if (previousPage)
        delete old;
    editor_->show();
    if (page.caretToStart) {
        setFocus();
        editor_->moveCursor(QTextCursor::Start);
    } else {
        editor_->moveCursor(QTextCursor::End);
    }
}

void ConsultPage::clearSelection()
{
    updating_ = true;
    search_->setCurrentIndex(-1);
    search_->clearEditText();
    updating_ = false;
    lookupCode_.clear();
    search_->setFocus();
    editor_->clear();
}

void ConsultPage::stepBack()
{
    if (entries_.empty())
        return;
    selectEntry(std::max(0, current_ - 1));
    writePage();
}

void ConsultPage::stepForward()
{
    if (entries_.empty())
        return;
    selectEntry(std::min(int(entries_.size()) - 1, current_ + 1));
    writePage();
}

void ConsultPage::openFind()
{
    findDialog_->show();
    findDialog_->raise();
    findText_->setFocus();
}

bool ConsultPage::findNext(const QString& text)
{
    const QTextCursor c = editor_->textCursor();
    const int start = c.hasSelection() ? c.selectionEnd() : 0;
    const std::optional<qsizetype> at = consult::findInPage(editor_->document()->toPlainText(), text, start);
    if (!at)
        return false; // nothing found: no message
    QTextCursor found(editor_->document());
    found.setPosition(int(*at));
    found.setPosition(int(*at + text.size()), QTextCursor::KeepAnchor);
    editor_->setFocus();
    editor_->setTextCursor(found);
    editor_->ensureCursorVisible();
    return true;
}

QToolButton* ConsultPage::addToolbarButton(const QString& objectName, const QString& text, const QString& hint)
{
    auto* bar = static_cast<QHBoxLayout*>(toolbar_->layout());
    QToolButton* b = toolButton(objectName.toLatin1().constData(), text, hint, toolbar_);
    bar->insertWidget(bar->count() - 1, b);
    return b;
}

void ConsultPage::printPage()
{
    const consult::PrintForm* form = consult::findPrintForm(setup_.printForm);
    if (!form)
        return;
    consult::PrintJob job;
    job.form = form;
    job.tag = setup_.printTag;
    job.searchText = search_->currentText();
    try {
        edition_.reloadParams(); // the title from the parameters row as it is now
    } catch (const DatabaseError& e) {
        showMessage(e.message());
        return;
    }
    job.editionNumber = edition_.params().number;
    job.date = QDate::currentDate();
    // The page travels to the print through the main window's Editor.
    if (FFarmaquiMenu && FFarmaquiMenu->Editor) {
        FFarmaquiMenu->Editor->setPlainText(editor_->toPlainText());
        job.text = FFarmaquiMenu->Editor->toPlainText();
    } else {
        job.text = editor_->toPlainText();
    }

    QPrinter printer(QPrinter::HighResolution);
    consult::preparePrintDevice(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(consult::printSubtitle(*form, job.tag));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [job](QPrinter* p) { consult::printConsultation(*p, job); });
    if (QToolBar* bar = preview.findChild<QToolBar*>()) {
        QAction* pdf = bar->addAction(QStringLiteral("Salvar PDF"));
        pdf->setObjectName(QStringLiteral("SavePdf"));
        pdf->setToolTip(QStringLiteral("Salvar o relatório como PDF"));
        connect(pdf, &QAction::triggered, &preview, [this, job, &preview] {
            const QString path = pdfPathChooser()(&preview);
            if (path.isEmpty())
                return;
            const QString error = consult::writeConsultationPdf(path, job);
            if (!error.isEmpty())
                showMessage(error);
        });
    }
    if (previewHandler())
        previewHandler()(preview);
    else
        preview.exec();
}

void ConsultPage::resizeEvent(QResizeEvent* event) { QWidget::resizeEvent(event); }

} // namespace farq::ui
