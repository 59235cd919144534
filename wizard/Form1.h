#pragma once

#include "core/WizardState.h"
#include "wizard/ShowOutput.h"

#include <QDialog>
#include <QPixmap>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMimeData;
class QPushButton;
class QWidget;

namespace ombrix::core {
class Catalogue;
}

namespace ombrix::wizard {

class WaitCursor;
class WebAddressLabel;

// The wizard's pages in the order they are shown; `step` holds the number of the one on show.
enum class Page : std::int16_t { Database = 1, Object, Fields, Summary };

// The wizard window: four page panels beside a side picture, above "< Back", "Next >" and
// "Close". Its state is its controls plus `step`, `password` and `primaryKeyField` (the last of
// the key's fields, which it keeps too); "Next >" runs NextStep, which checks the page on show,
// prepares the next one from the database's catalogue and shows it. Closing the window finishes
// the dialog, which ends the program.
//
// For the keyboard and assistive technology: each control is named by its label, the focus goes
// to the first control of the page that a step shows (its description is the page's question),
// Alt+B, Alt+N, Alt+C and Alt+S press "< Back", "Next >", "Close" and "Select...", and Enter on
// pages 2 to 4 presses "Next >" unless another button has the focus.
class Form1 : public QDialog {
    Q_OBJECT

public:
    Form1(core::Catalogue& catalogue, ShowOutput showOutput, QWidget* parent = nullptr);

    // Prepares the window, then looks at the program's argument text (its bytes): a path ending in
    // ".mdb" or ".accdb" goes into the database box and runs the first step at once, before the
    // window is shown.
    void Form_Load(const std::string& argumentText);

    std::int16_t currentStep() const { return step; }
    const QString& currentPassword() const { return password; }
    const QString& currentPrimaryKeyField() const { return primaryKeyField; }

    // The generator's view of the wizard: the three state variables and the controls' contents.
    WizardState wizardState() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void createPage1();
    void createPage2();
    void createPage3();
    void createPage4();
    void createWindowControls();
    void chainTabOrder();
    void centreOnScreen();

    void btnNext_Click();
    void btnBack_Click();
    void btnFile_Click();
    void btnAddField_Click();
    void btnAddAll_Click();
    void btnDeleteField_Click();
    void btnDeleteAll_Click();
    bool txtDBName_OLEDragOver(const QMimeData& dragged, Qt::DropActions offered,
                               Qt::DropAction& granted) const;
    void txtDBName_OLEDragDrop(const QMimeData& dragged);

    // The database path: the bytes that the command line, a drop or the file dialog gave, until
    // the box's text changes; from then on the box's text.
    void setDatabasePath(const std::string& bytes);
    std::string databasePath() const;

    void NextStep(Page from);
    void openDatabaseAndListObjects(WaitCursor& wait);
    void listFields(WaitCursor& wait);
    void fillSummary(WaitCursor& wait);
    void finish(WaitCursor& wait);
    void ShowPage(Page page);
    QWidget*& frame(Page page) { return picFrame[static_cast<std::size_t>(page) - 1]; }
    QWidget* firstControl(Page page) const;
    void setNextCaption(const QString& caption);
    void message(const QString& text);

    core::Catalogue& catalogue_;
    ShowOutput showOutput_;

    std::int16_t step = 0;
    QString password;
    QString primaryKeyField;
    std::vector<KeyField> keyFields_; // every field of the key, with its type prefix, for the page
    std::optional<std::string> pathBytes_; // while the box shows them unedited

    QPixmap Image1; // the side picture
    std::array<QWidget*, 4> picFrame{};
    QLabel* Label1 = nullptr;
    QLineEdit* txtDBName = nullptr;
    QPushButton* btnFile = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* label3 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QPushButton* btnAddField = nullptr;
    QPushButton* btnAddAll = nullptr;
    QPushButton* btnDeleteField = nullptr;
    QPushButton* btnDeleteAll = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* lblDB = nullptr;
    QLabel* lblObj = nullptr;
    QListWidget* List5 = nullptr;
    WebAddressLabel* lblWeb = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnClose = nullptr;
};

} // namespace ombrix::wizard
