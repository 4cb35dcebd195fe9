#pragma once
// The export window: the user picks the content, file type, price type,
// optional columns and filters, may mark products, laboratories or
// presentations, and "Confirma" writes the price file.
#include "export/export_request.h"
#include "export/export_selection.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>

#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace farq {
class Edition;
namespace exporter {
class ExportJob;
}
} // namespace farq

// A group of radio buttons with an item index, as the designer's radio groups.
class TRadioGroup : public QGroupBox {
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

private:
    QButtonGroup* group_;
};

class ExportSelectionModel;

class TFFarExporta : public QDialog {
    Q_OBJECT
public:
    TFFarExporta(farq::Edition& edition, QChar exportKind, QChar freeTradeZoneFlag /* 'Z' or null QChar */,
                 QWidget* parent = nullptr);
    ~TFFarExporta() override;

    QWidget* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr; // "Gerar arquivo com "
    TRadioGroup* RadioGroup2 = nullptr; // "Tipo de Arquivo"
    QCheckBox* CheckBox1 = nullptr;     // products of the kind
    QCheckBox* CheckBox2 = nullptr;     // "Laboratório"
    QCheckBox* CheckBox3 = nullptr;     // "Apresentação"
    QCheckBox* CheckBox4 = nullptr;     // "Todos"
    QGroupBox* grp1 = nullptr;          // " Opção "
    QCheckBox* chk_ean = nullptr;
    QCheckBox* chk_tiss = nullptr;
    QCheckBox* chkTUSS = nullptr;
    QCheckBox* chkHierarquia = nullptr;
    QCheckBox* chkGenerico = nullptr;
    TRadioGroup* RadioGroup3 = nullptr; // "Tipo": PMC, PFB
    QGroupBox* grp2 = nullptr;          // "Filtros"
    QCheckBox* chkRestritoHosp = nullptr;
    QCheckBox* chkOncologico = nullptr;
    QCheckBox* chkParenteral = nullptr;
    QCheckBox* chkLiberado = nullptr;
    QPushButton* SpeedButton1 = nullptr; // "Confirma"
    QPushButton* Sbt_Sair = nullptr;     // "Sair"
    QLabel* Label3 = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QWidget* Panel4 = nullptr;           // progress panel
    QProgressBar* Gauge1 = nullptr;
    QPushButton* btnCancelar = nullptr;  // stops a file being written
    QWidget* Panel2 = nullptr;           // status line
    QLabel* Label1 = nullptr;

    // The save dialog ("*.txt"); an empty path means the user cancelled.
    std::function<QString()> chooseFile;
    // Information and error boxes.
    std::function<void(const QString&)> showInformation;
    std::function<void(const QString&)> showError;

    // The request the controls describe now (before the writer's own rules).
    farq::exporter::ExportRequest request() const;
    // The list shown in the grid, if any.
    std::optional<farq::exporter::SelectionList> shownList() const { return shownList_; }
    bool writing() const { return writing_; }

public slots:
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void chkOncologicoClick();
    void SpeedButton1Click();
    void Sbt_SairClick();
    void btnCancelarClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    void FormResize();
    void chooseList(QCheckBox* chosen);
    void showList(farq::exporter::SelectionList list, const QString& sql);
    void setWriting(bool on);

    farq::Edition& edition_;
    QChar kind_;
    bool freeTradeZone_;
    std::unique_ptr<farq::exporter::ExportJob> job_;
    ExportSelectionModel* model_ = nullptr;
    std::optional<farq::exporter::SelectionList> shownList_;
    bool writing_ = false;
    bool cancelRequested_ = false;
    bool closed_ = false;
};
