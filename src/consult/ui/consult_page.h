#pragma once
// The consultation page shared by every consultation form: the search panel
// on its green gradient, the toolbar, the read-only text page in the
// fixed-width font, the find dialog and the print preview. A form gives it
// its list, its settings and its page writer.
#include "catalogue/price_rule.h"
#include "consult/page_lines.h"
#include "consult/product_page_writer.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPrintPreviewDialog;
class QTextEdit;
class QToolButton;
class QStandardItemModel;

namespace farq {
class Edition;
}

namespace farq::ui {

class GradientPanel;

// Object names of the toolbar buttons (some forms number them differently).
struct ToolbarNames {
    const char* clear = "SpeedButton5";
    const char* back = "SpeedButton3";
    const char* forward = "SpeedButton4";
    const char* report = "SpeedButton1";
    const char* find = "SpeedButton2";
    const char* quit = "SBT_SAIR";
};

struct ConsultPageSetup {
    QString searchLabel;              // the search field's label
    bool stateList = false;           // the state list with its label
    bool priceBoxes = false;          // the PMC / PFAB boxes
    int panelHeight = 95;             // search panel height on the result screen
    bool rewriteOnChange = false;     // a change of the search field writes the page
    bool enterExecutes = true;        // Enter in the search field runs "Executar"
    bool editablePage = false;        // what the user types on the page is printed
    const char* executeName = "SpeedButton6";
    ToolbarNames toolbar;
    QString printForm;                // TFFarConsMediRel
    QString printTag;                 // lbSender
};

using PageWriter = std::function<std::optional<consult::Page>(const consult::PageRequest&)>;

class ConsultPage : public QWidget {
    Q_OBJECT
public:
    ConsultPage(Edition& edition, ConsultPageSetup setup, QWidget* parent = nullptr);
    ~ConsultPage() override;

    // FormCreate: the list, the states on the saved state, the search screen.
    void setList(std::vector<consult::ListEntry> entries);
    void setPageWriter(PageWriter writer) { writer_ = std::move(writer); }

    // Operations of the page.
    void execute();            // "Executar"
    void writePage();          // the page writer
    void clearSelection();     // "Limpar seleção"
    void stepBack();           // "Retrocede"
    void stepForward();        // "Avança"
    void openFind();           // "Localizar"
    bool findNext(const QString& text); // a find-next request of the find dialog
    void printPage();          // "Relatório"

    // The choices in the search panel.
    consult::PageRequest currentRequest() const;
    void selectEntry(int index);        // puts a list entry into the search field
    int currentEntry() const { return current_; }
    bool resultScreen() const;

    QTextEdit* editor() const { return editor_; }
    QComboBox* searchField() const { return search_; }
    QComboBox* stateField() const { return states_; }
    QCheckBox* pmcBox() const { return pmc_; }
    QCheckBox* pfabBox() const { return pfab_; }
    QWidget* searchPanel() const;
    QWidget* resultPanel() const { return resultPanel_; }
    QWidget* toolbar() const { return toolbar_; }
    QDialog* findDialog() const { return findDialog_; }
    // Adds a button at the end of the toolbar (the materials page's "Hierarquia").
    QToolButton* addToolbarButton(const QString& objectName, const QString& text, const QString& hint);
    const std::vector<consult::ListEntry>& entries() const { return entries_; }
    Edition& edition() { return edition_; }
    const ConsultPageSetup& setup() const { return setup_; }

    // Shows the print preview; tests replace it to look at the dialog
    // without waiting for a user.
    static std::function<void(QPrintPreviewDialog&)>& previewHandler();
    // Asks where the preview's "Salvar PDF" writes; replaceable for tests.
    static std::function<QString(QWidget* parent)>& pdfPathChooser();
    // A simple message box; replaceable for tests.
    std::function<void(const QString& text)> showMessage;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildSearchPanel();
    void buildResultPanel();
    void buildFindDialog();
    void loadStates();
    void searchTextEdited(const QString& text);
    void searchEntryChosen(int index);
    void boxClicked(QCheckBox* box);
    void showPage(const consult::Page& page);
    int entryOfText(const QString& text) const;

    Edition& edition_;
    ConsultPageSetup setup_;
    PageWriter writer_;
    std::vector<consult::ListEntry> entries_;
    std::vector<price::StateRecord> stateRecords_;
    int current_ = 0;          // the list's current entry
    QString lookupCode_;       // the search field's lookup value
    bool updating_ = false;

    GradientPanel* searchPanel_ = nullptr;
    QComboBox* search_ = nullptr;
    QComboBox* states_ = nullptr;
    QStandardItemModel* stateModel_ = nullptr;
    QCheckBox* pmc_ = nullptr;
    QCheckBox* pfab_ = nullptr;
    QToolButton* execute_ = nullptr;
    QWidget* resultPanel_ = nullptr;
    QWidget* toolbar_ = nullptr;
    QTextEdit* editor_ = nullptr;
    QDialog* findDialog_ = nullptr;
    QLineEdit* findText_ = nullptr;
};

} // namespace farq::ui
