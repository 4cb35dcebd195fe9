#pragma once
// "Paramêtros": the user's state, saved in the parameters row.
#include "maintenance/parameters.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace farq {
class Edition;
}

class TfrmParametros : public QDialog {
    Q_OBJECT
public:
    TfrmParametros(farq::Edition& edition, QWidget* parent = nullptr);
    ~TfrmParametros() override;

    QGroupBox* RzGroupBox1 = nullptr;
    QComboBox* wwDBLookupCombo1 = nullptr;
    QPushButton* RzBitBtn1 = nullptr;

    farq::ParametersEditor& editor() { return *editor_; }

signals:
    // The state was written; the main window refreshes its title.
    void saved();

public slots:
    void RzBitBtn1Click();

private:
    std::unique_ptr<farq::ParametersEditor> editor_;
};
