#include "export/ui/UFarmaquiExporta.h"

#include "export/export_writer.h"

#include "shell/edition.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

using namespace farq;
using namespace farq::exporter;

// ---------------------------------------------------------------- radio group

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        layout->addWidget(b);
    }
}

int TRadioGroup::itemIndex() const { return group_->checkedId(); }

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = group_->button(index))
        b->setChecked(true);
}

QRadioButton* TRadioGroup::button(int index) const { return static_cast<QRadioButton*>(group_->button(index)); }

// ---------------------------------------------------------------- selection grid

// One list of the grid: the mark as a check box, the code, the decoded name.
// A mark is written to the database as soon as it changes.
class ExportSelectionModel : public QAbstractTableModel {
public:
    struct Item {
        QString code;
        QString name;
        bool marked;
    };

    ExportSelectionModel(EditionDatabase& db, QObject* parent) : QAbstractTableModel(parent), db_(db) {}

    std::function<void(const QString&)> onError;

    void reset(SelectionList list, std::vector<Item> items, const QString& title)
    {
        beginResetModel();
        list_ = list;
        items_ = std::move(items);
        title_ = title;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(items_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const Item& it = items_[size_t(index.row())];
        if (index.column() == 0 && role == Qt::CheckStateRole)
            return it.marked ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::DisplayRole) {
            if (index.column() == 1)
                return it.code;
            if (index.column() == 2)
                return it.name;
        }
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
            return false;
        Item& it = items_[size_t(index.row())];
        const bool marked = value.toInt() == Qt::Checked;
        if (marked == it.marked)
            return true;
        try {
            writeMark(db_, list_, it.code, marked);
        } catch (const DatabaseError& e) {
            if (onError)
                onError(e.message());
            return false;
        }
        it.marked = marked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case 0: return QStringLiteral("    ");
        case 1: return QStringLiteral("Código");
        default: return title_;
        }
    }

private:
    EditionDatabase& db_;
    SelectionList list_ = SelectionList::Products;
    std::vector<Item> items_;
    QString title_;
};

// ---------------------------------------------------------------- window

TFFarExporta::TFFarExporta(Edition& edition, QChar exportKind, QChar freeTradeZoneFlag, QWidget* parent)
    : QDialog(parent), edition_(edition), kind_(exportKind), freeTradeZone_(freeTradeZoneFlag == QLatin1Char('Z'))
{
    setObjectName(QStringLiteral("TFFarExporta"));
    setModal(true);
    auto* root = new QVBoxLayout(this);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label2 = new QLabel(QStringLiteral("Informe as condições para geração do Arquivo e clique em confirma."), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont headerFont = Label2->font();
    headerFont.setBold(true);
    Label2->setFont(headerFont);
    Panel1->setMinimumHeight(Label2->sizeHint().height() + 8);
    root->addWidget(Panel1);

    auto* options = new QHBoxLayout;
    RadioGroup1 = new TRadioGroup(QStringLiteral("Gerar arquivo com "),
                                  {QStringLiteral("Código"), QStringLiteral("Descrição"), QStringLiteral("Código e Descrição")},
                                  this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup2 = new TRadioGroup(QStringLiteral("Tipo de Arquivo"),
                                  {QStringLiteral("Delimitado"), QStringLiteral("Tamanho Fixo")}, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    options->addWidget(RadioGroup1);
    options->addWidget(RadioGroup2);

    auto* lists = new QGroupBox(this);
    auto* listsLayout = new QVBoxLayout(lists);
    CheckBox1 = new QCheckBox(QStringLiteral("Medicamento"), lists);
    CheckBox2 = new QCheckBox(QStringLiteral("Laboratório"), lists);
    CheckBox3 = new QCheckBox(QStringLiteral("Apresentação"), lists);
    CheckBox4 = new QCheckBox(QStringLiteral("Todos"), lists);
    CheckBox4->setChecked(true);
    int n = 1;
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4}) {
        c->setObjectName(QStringLiteral("CheckBox%1").arg(n++));
        listsLayout->addWidget(c);
    }
    options->addWidget(lists);

    grp1 = new QGroupBox(QStringLiteral(" Opção "), this);
    grp1->setObjectName(QStringLiteral("grp1"));
    auto* grp1Layout = new QVBoxLayout(grp1);
    chk_ean = new QCheckBox(QStringLiteral("Código EAN"), grp1);
    chk_ean->setObjectName(QStringLiteral("chk_ean"));
    chk_ean->setChecked(true);
    chk_tiss = new QCheckBox(QStringLiteral("Código TISS"), grp1);
    chk_tiss->setObjectName(QStringLiteral("chk_tiss"));
    chk_tiss->setChecked(true);
    chkTUSS = new QCheckBox(QStringLiteral("Código TUSS"), grp1);
    chkTUSS->setObjectName(QStringLiteral("chkTUSS"));
    chkTUSS->setChecked(true);
    chkHierarquia = new QCheckBox(QStringLiteral("Hierarquia"), grp1);
    chkHierarquia->setObjectName(QStringLiteral("chkHierarquia"));
    chkGenerico = new QCheckBox(QStringLiteral("Genérico S/N"), grp1);
    chkGenerico->setObjectName(QStringLiteral("chkGenerico"));
    for (QCheckBox* c : {chk_ean, chk_tiss, chkTUSS, chkHierarquia, chkGenerico})
        grp1Layout->addWidget(c);
    options->addWidget(grp1);

    RadioGroup3 = new TRadioGroup(QStringLiteral("Tipo"), {QStringLiteral("PMC"), QStringLiteral("PFB")}, this);
    RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    options->addWidget(RadioGroup3);

    grp2 = new QGroupBox(QStringLiteral("Filtros"), this);
    grp2->setObjectName(QStringLiteral("grp2"));
    auto* grp2Layout = new QVBoxLayout(grp2);
    chkRestritoHosp = new QCheckBox(QStringLiteral("Restrito Hospitalar"), grp2);
    chkRestritoHosp->setObjectName(QStringLiteral("chkRestritoHosp"));
    chkOncologico = new QCheckBox(QStringLiteral("Oncológico"), grp2);
    chkOncologico->setObjectName(QStringLiteral("chkOncologico"));
    chkParenteral = new QCheckBox(QStringLiteral("Nutrição Parenteral"), grp2);
    chkParenteral->setObjectName(QStringLiteral("chkParenteral"));
    chkLiberado = new QCheckBox(QStringLiteral("Liberado"), grp2);
    chkLiberado->setObjectName(QStringLiteral("chkLiberado"));
    for (QCheckBox* c : {chkRestritoHosp, chkOncologico, chkParenteral, chkLiberado})
        grp2Layout->addWidget(c);
    options->addWidget(grp2);
    options->addStretch();
    root->addLayout(options);

    auto* buttons = new QHBoxLayout;
    SpeedButton1 = new QPushButton(QStringLiteral("Confirma"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Seleciona Arquivo / Confirma Exportação"));
    SpeedButton1->setAutoDefault(false);
    Sbt_Sair = new QPushButton(QStringLiteral("Sair"), this);
    Sbt_Sair->setObjectName(QStringLiteral("Sbt_Sair"));
    Sbt_Sair->setToolTip(QStringLiteral("Sair"));
    Sbt_Sair->setAutoDefault(false);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(Sbt_Sair);
    buttons->addStretch();
    root->addLayout(buttons);

    Label3 = new QLabel(QStringLiteral("Selecione os itens para geração :"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    root->addWidget(Label3);
    wwDBGrid1 = new QTableView(this);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setToolTip(QStringLiteral("selecione os Medicamentos para geração"));
    wwDBGrid1->verticalHeader()->hide();
    wwDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    model_ = new ExportSelectionModel(edition_.db(), this);
    model_->onError = [this](const QString& m) { showError(m); };
    wwDBGrid1->setModel(model_);
    const int charWidth = wwDBGrid1->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    wwDBGrid1->setColumnWidth(0, charWidth * 4 + 16);
    wwDBGrid1->setColumnWidth(1, charWidth * 6 + 8);
    wwDBGrid1->setColumnWidth(2, charWidth * 73);
    root->addWidget(wwDBGrid1, 1);
    Label3->hide();
    wwDBGrid1->hide();

    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* p4 = new QHBoxLayout(Panel4);
    auto* request = new QLabel(QStringLiteral("sua solicitação ...."), Panel4);
    Gauge1 = new QProgressBar(Panel4);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"), Panel4);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    btnCancelar->setAutoDefault(false);
    p4->addWidget(request);
    p4->addWidget(Gauge1, 1);
    p4->addWidget(btnCancelar);
    root->addWidget(Panel4);
    Panel4->hide();

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* p2 = new QHBoxLayout(Panel2);
    Label1 = new QLabel(QStringLiteral("Executando a geração"), Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    p2->addWidget(Label1);
    root->addWidget(Panel2);
    Label1->hide();

    chooseFile = [this] {
        QFileDialog dialog(this, QStringLiteral("Salvar arquivo"), QString(), QStringLiteral("*.txt"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        // The weekly file is written over the last one without a question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                       : QString();
    };
    showInformation = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text, QMessageBox::Ok);
    };
    showError = [this](const QString& text) { QMessageBox::critical(this, windowTitle(), text, QMessageBox::Ok); };

    connect(CheckBox1, &QCheckBox::clicked, this, &TFFarExporta::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TFFarExporta::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::clicked, this, &TFFarExporta::CheckBox3Click);
    connect(CheckBox4, &QCheckBox::clicked, this, &TFFarExporta::CheckBox4Click);
    connect(chkOncologico, &QCheckBox::clicked, this, &TFFarExporta::chkOncologicoClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TFFarExporta::SpeedButton1Click);
    connect(Sbt_Sair, &QPushButton::clicked, this, &TFFarExporta::Sbt_SairClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TFFarExporta::btnCancelarClick);

    FormCreate();
    setWindowState(windowState() | Qt::WindowMaximized);
}

TFFarExporta::~TFFarExporta() = default;

void TFFarExporta::FormCreate()
{
    RadioGroup1->setItemIndex(int(Content::CodigoDescricao));
    RadioGroup2->setItemIndex(int(FileType::Delimitado));
    job_ = std::make_unique<ExportJob>(edition_, kind_, freeTradeZone_);
    const ExportRequest defaults = job_->defaults();
    RadioGroup3->setItemIndex(defaults.priceType == price::PriceType::PFAB ? 1 : 0);

    const QString number = edition_.params().number ? QString::number(*edition_.params().number) : QString();
    setWindowTitle(windowCaption(kind_, number));
    if (const KindProfile* p = kindProfile(kind_))
        CheckBox1->setText(QString::fromUtf8(p->listCaption));

    // Every option the kind, the edition or the state does not offer is
    // hidden and unchecked.
    const OptionVisibility v = job_->visibility();
    const std::pair<QWidget*, bool> shown[] = {
        {RadioGroup3, v.priceType},       {chk_ean, v.ean},           {chk_tiss, v.tiss},
        {chkTUSS, v.tuss},                {chkHierarquia, v.hierarquia}, {chkGenerico, v.generico},
        {grp2, v.filters},                {chkRestritoHosp, v.restrito}, {chkOncologico, v.oncologico},
        {chkParenteral, v.parenteral},    {chkLiberado, v.liberado},
    };
    for (const auto& [w, visible] : shown) {
        w->setVisible(visible);
        if (!visible)
            if (auto* box = qobject_cast<QCheckBox*>(w); box && box != chk_ean && box != chk_tiss && box != chkTUSS)
                box->setChecked(false);
    }
    if (!v.ean)
        chk_ean->setChecked(false);
}

void TFFarExporta::FormResize() { Label2->setGeometry(0, 0, width(), Panel1->height()); }

void TFFarExporta::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

ExportRequest TFFarExporta::request() const
{
    auto on = [this](const QCheckBox* box) { return box->isChecked() && box->isVisibleTo(this); };
    ExportRequest r = job_->defaults();
    r.content = Content(std::max(0, RadioGroup1->itemIndex()));
    r.fileType = FileType(std::max(0, RadioGroup2->itemIndex()));
    r.priceType = RadioGroup3->itemIndex() == 1 ? price::PriceType::PFAB : price::PriceType::PMC;
    r.ean = on(chk_ean);
    r.tiss = on(chk_tiss);
    r.tuss = on(chkTUSS);
    r.hierarquia = on(chkHierarquia);
    r.generico = on(chkGenerico);
    r.restrito = on(chkRestritoHosp);
    r.oncologico = on(chkOncologico);
    r.parenteral = on(chkParenteral);
    r.liberado = on(chkLiberado);
    r.todos = CheckBox4->isChecked();
    return job_->effective(r);
}

void TFFarExporta::chooseList(QCheckBox* chosen)
{
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4})
        if (c != chosen) {
            const QSignalBlocker block(c);
            c->setChecked(false);
        }
}

void TFFarExporta::showList(SelectionList list, const QString& sql)
{
    const ListColumns c = listColumns(list);
    std::vector<ExportSelectionModel::Item> items;
    try {
        const DataSet rows = edition_.db().query(sql);
        items.reserve(rows.size());
        for (const Row r : rows)
            items.push_back({r.text(QLatin1String(c.key)), edition_.crypt().decode(r.text(QLatin1String(c.description))),
                             r.text(QLatin1String(c.mark)).trimmed() == QLatin1String("S")});
    } catch (const DatabaseError& e) {
        showError(e.message());
        return;
    }
    QString title;
    switch (list) {
    case SelectionList::Products:
        if (const KindProfile* p = kindProfile(kind_))
            title = QString::fromUtf8(p->gridTitle);
        break;
    case SelectionList::Laboratories: title = QStringLiteral("Descrição Laboratório"); break;
    case SelectionList::Presentations: title = QStringLiteral("Descrição Apresentação"); break;
    }
    model_->reset(list, std::move(items), title);
    shownList_ = list;
    wwDBGrid1->show();
    Label3->show();
}

void TFFarExporta::CheckBox1Click()
{
    if (!CheckBox1->isChecked())
        return;
    chooseList(CheckBox1);
    showList(SelectionList::Products,
             productListQuery(kind_, chkRestritoHosp->isChecked(), chkOncologico->isChecked(), edition_.coded()));
}

void TFFarExporta::CheckBox2Click()
{
    if (!CheckBox2->isChecked())
        return;
    chooseList(CheckBox2);
    showList(SelectionList::Laboratories, laboratoryListQuery(edition_.coded()));
}

void TFFarExporta::CheckBox3Click()
{
    if (!CheckBox3->isChecked())
        return;
    chooseList(CheckBox3);
    showList(SelectionList::Presentations, presentationListQuery(edition_.coded()));
}

void TFFarExporta::CheckBox4Click()
{
    if (!CheckBox4->isChecked())
        return;
    chooseList(CheckBox4);
    wwDBGrid1->hide();
    Label3->hide();
    shownList_.reset();
}

void TFFarExporta::chkOncologicoClick()
{
    if (kind_ != QLatin1Char('M') || !CheckBox1->isChecked() || shownList_ != SelectionList::Products)
        return;
    showList(SelectionList::Products, productListQuery(kind_, chkRestritoHosp->isChecked(),
                                                       chkOncologico->isChecked(), edition_.coded(), true));
}

void TFFarExporta::setWriting(bool on)
{
    writing_ = on;
    for (QWidget* w : std::initializer_list<QWidget*>{RadioGroup1, RadioGroup2, CheckBox1, CheckBox2, CheckBox3,
                                                      CheckBox4, grp1, RadioGroup3, grp2, SpeedButton1, Sbt_Sair,
                                                      wwDBGrid1})
        w->setEnabled(!on);
    btnCancelar->setEnabled(on);
    Panel4->setVisible(on);
}

void TFFarExporta::SpeedButton1Click()
{
    if (writing_)
        return;
    // Options the window hides never act.
    for (QCheckBox* c : {chk_ean, chk_tiss, chkHierarquia})
        if (!c->isVisibleTo(this))
            c->setChecked(false);
    if (kind_ != QLatin1Char('M'))
        chkRestritoHosp->setChecked(false);
    if (shownList_ == SelectionList::Presentations)
        showList(SelectionList::Presentations, presentationListQuery(edition_.coded()));

    const QString path = chooseFile ? chooseFile() : QString();
    if (path.isEmpty())
        return;

    Label1->setText(path);
    Label1->show();
    const bool gridWasShown = wwDBGrid1->isVisibleTo(this);
    wwDBGrid1->hide();
    Label3->hide();
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    cancelRequested_ = false;
    setWriting(true);
    QCoreApplication::processEvents();

    const ExportOutcome outcome = job_->writeFile(request(), path, [this](qint64 done, qint64 total) {
        if (total > 0) {
            Gauge1->setRange(0, int(std::min<qint64>(total, std::numeric_limits<int>::max())));
            Gauge1->setValue(int(std::min(done, total)));
        } else {
            Gauge1->setRange(0, 0);
        }
        QCoreApplication::processEvents();
        return !cancelRequested_;
    });
    setWriting(false);

    switch (outcome.status) {
    case ExportOutcome::Status::Written:
        wwDBGrid1->hide();
        Label3->hide();
        showInformation(kSuccessMessage);
        close();
        return;
    case ExportOutcome::Status::Cancelled:
        Label1->setText(QStringLiteral("Geração cancelada: nenhum arquivo foi gravado."));
        break;
    case ExportOutcome::Status::Failed:
        Label1->setText(QStringLiteral("Geração não concluída: nenhum arquivo foi gravado."));
        showError(outcome.message + QStringLiteral("\n\nNenhum arquivo foi gravado."));
        break;
    }
    if (gridWasShown) {
        wwDBGrid1->show();
        Label3->show();
    }
}

void TFFarExporta::btnCancelarClick()
{
    if (writing_)
        cancelRequested_ = true;
}

void TFFarExporta::Sbt_SairClick() { close(); }

void TFFarExporta::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    model_->reset(SelectionList::Products, {}, QString());
    shownList_.reset();
    if (!CheckBox4->isChecked()) {
        try {
            resetMarks(edition_.db());
        } catch (const DatabaseError& e) {
            showError(e.message());
        }
    }
    chkRestritoHosp->setChecked(false);
}

void TFFarExporta::closeEvent(QCloseEvent* event)
{
    // Closing while a file is written stops the writing first.
    if (writing_) {
        cancelRequested_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TFFarExporta::done(int result)
{
    if (writing_) {
        cancelRequested_ = true;
        return;
    }
    FormClose();
    QDialog::done(result);
}
