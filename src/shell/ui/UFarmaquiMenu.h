#pragma once
// The main window: the menu, the tabs of consultations, the edition title and
// the small values the other windows read.
#include "shell/edition.h"

#include <QLabel>
#include <QMainWindow>
#include <QString>

#include <functional>

class QTabWidget;
class QTextEdit;
class QMenu;
class QAction;
class QDialog;

namespace farq::ui {
class GradientPanel;
}

class TFFarmaquiMenu;
// The single main window, assigned before its creation handler runs.
extern TFFarmaquiMenu* FFarmaquiMenu;

class TFFarmaquiMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit TFFarmaquiMenu(QWidget* parent = nullptr);
    ~TFFarmaquiMenu() override;

    // Connects to the edition (the file beside the executable when path is
    // empty), sets the title, lbEstado and lbCrypto. Returns false with the
    // reason (naming the file) when the edition cannot be opened.
    bool FormCreate(const QString& path, QString* error);
    // Schema check and upgrade, run once when the window is first shown.
    // Returns false with the reason when the edition cannot be upgraded.
    bool FormShow(QString* error);
    void FormResize();

    // Hosts a new consultation form in a new tab (always a new tab).
    QWidget* OpenInTab(const QString& className, const QString& caption);
    void OpenInTab(QWidget* form, const QString& caption);
    // Closes the active tab; "Principal" never closes.
    void RzPageControl1Close();

    // The edition title, from the parameters row as it is now.
    void refreshTitle();

    farq::Edition& edition() { return edition_; }
    farq::Crypt& crypt() { return edition_.crypt(); }
    QString Crypt(const QString& action, const QString& source) const;

    QTabWidget* RzPageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbVersaoCripto = nullptr;
    QLabel* lbCrypto = nullptr;
    QLabel* lbEstado = nullptr;
    QLabel* lbTissBusca = nullptr;
    QLabel* lbTUSSBusca = nullptr;
    QTextEdit* Editor = nullptr;

    QString reportKind;        // one character: M, I or S
    QString exportKind;        // one character: M, I or S
    QString freeTradeZoneFlag; // "Z" or empty

    struct MenuItem;

    // Runs a modal window; replaceable so tests can look at it instead of
    // waiting for a user (the window is destroyed after it returns).
    std::function<void(QDialog* window)> runModal;

    // Shows a message box; replaceable so tests can record what a user would see.
    std::function<void(const QString& title, const QString& text)> showMessage;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;


private:
    void buildMenu();
    void run(const MenuItem& item);
    void runItem(const MenuItem& item);
    void notAvailable(const QString& caption);
    bool prepareExport(const QString& kind);

    farq::Edition edition_;
    bool shown_ = false;
};
