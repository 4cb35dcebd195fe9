#include "maintenance/ui/UfrmParametros.h"

#include "shell/database.h"
#include "shell/ui/gradient_panel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

TfrmParametros::TfrmParametros(farq::Edition& edition, QWidget* parent)
    : QDialog(parent), editor_(std::make_unique<farq::ParametersEditor>(edition))
{
    setObjectName(QStringLiteral("frmParametros"));
    setWindowTitle(QStringLiteral("Paramêtros"));
    setFont(QFont(QStringLiteral("MS Sans Serif")));
    setFixedSize(477, 195);

    auto* background = new farq::ui::GradientPanel(this);
    background->setGeometry(0, 0, 477, 195);

    RzGroupBox1 = new QGroupBox(QStringLiteral("Estado"), background);
    RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
    RzGroupBox1->setStyleSheet(QStringLiteral("QGroupBox { color: white; font: bold 10pt \"Verdana\"; "
                                              "background: transparent; border: 1px solid white; margin-top: 14px; }"
                                              "QGroupBox::title { subcontrol-origin: margin; left: 8px; }"));
    RzGroupBox1->setGeometry(16, 16, 445, 96);

    // The chooser: only list values, four titled columns with grid lines.
    wwDBLookupCombo1 = new QComboBox(RzGroupBox1);
    wwDBLookupCombo1->setObjectName(QStringLiteral("wwDBLookupCombo1"));
    wwDBLookupCombo1->setEditable(false);
    wwDBLookupCombo1->setGeometry(16, 36, 413, 26);
    auto* model = new QStandardItemModel(0, 4, wwDBLookupCombo1);
    model->setHorizontalHeaderLabels(farq::ParametersEditor::columnTitles());
    const farq::DataSet& states = editor_->states();
    int currentRow = -1;
    for (const farq::Row r : states) {
        QList<QStandardItem*> cells;
        for (const QString& t : farq::ParametersEditor::columnTexts(r))
            cells << new QStandardItem(t);
        if (cells.first()->text() == editor_->current())
            currentRow = model->rowCount();
        model->appendRow(cells);
    }
    auto* view = new QTableView(wwDBLookupCombo1);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setMinimumWidth(520);
    wwDBLookupCombo1->setModel(model);
    wwDBLookupCombo1->setView(view);
    view->setColumnWidth(0, 60);
    view->setColumnWidth(1, 220);
    view->setColumnWidth(2, 90);
    wwDBLookupCombo1->setModelColumn(0);
    wwDBLookupCombo1->setCurrentIndex(currentRow);
    connect(wwDBLookupCombo1, &QComboBox::activated, this,
            [this](int row) { editor_->pick(wwDBLookupCombo1->itemText(row)); });

    RzBitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Salvar Alterações"),
                                background);
    RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
    RzBitBtn1->setGeometry(160, 136, 157, 34);
    connect(RzBitBtn1, &QPushButton::clicked, this, &TfrmParametros::RzBitBtn1Click);
}

TfrmParametros::~TfrmParametros() = default;

void TfrmParametros::RzBitBtn1Click()
{
    try {
        if (!editor_->save())
            return;
    } catch (const farq::DatabaseError& e) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Não foi possível salvar o estado.\n\n%1").arg(e.message()));
        return;
    }
    emit saved();
    accept();
}
