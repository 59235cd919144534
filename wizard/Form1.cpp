#include "wizard/Form1.h"

#include "core/Catalogue.h"
#include "core/CatalogueItems.h"
#include "core/DatabasePath.h"
#include "core/EngineErrors.h"
#include "core/FormMethod.h"
#include "core/WizardStateBuilder.h"
#include "generator/GeneratePage.h"
#include "ombrix/ProjectInfo.h"
#include "platform/DatabaseFileDialog.h"
#include "platform/DroppedFiles.h"
#include "platform/MessageBox.h"
#include "platform/ProgramName.h"
#include "wizard/FieldListItem.h"
#include "wizard/FieldSelection.h"
#include "wizard/VersionCaption.h"
#include "wizard/WaitCursor.h"
#include "wizard/WebAddressLabel.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

namespace ombrix::wizard {

namespace {

void selectFirstEntry(QListWidget& list) {
    if (list.count() == 0)
        throw core::invalidPropertyValue();
    list.setCurrentRow(0);
}

// A page's heading is also the description of the control that gets the focus there, so that a
// screen reader says the page's question as it arrives.
void setHeading(QLabel& heading, QWidget& firstControl, const QString& text) {
    heading.setText(text);
    firstControl.setAccessibleDescription(text);
}

QStringList entries(const QListWidget& list) {
    QStringList result;
    for (int row = 0; row < list.count(); ++row)
        result.append(list.item(row)->text());
    return result;
}

} // namespace

Form1::Form1(core::Catalogue& catalogue, ShowOutput showOutput, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), showOutput_(std::move(showOutput)) {
    createControls();
    connect(txtDBName, &QLineEdit::textChanged, this, [this] { pathBytes_.reset(); });
}

void Form1::Form_Load(const std::string& argumentText) {
    {
        WaitCursor wait;
        setWindowTitle(
            versionCaption(project::kVersionMajor, project::kVersionMinor, project::kVersionPatch));
        Label1->setText(QStringLiteral(
            "This wizard will create an Active Server Page framework from an Access database."));
        step = static_cast<std::int16_t>(Page::Database);
        Combo1->clear();
        for (const std::string_view method : core::kFormMethods) {
            Combo1->addItem(
                QString::fromLatin1(method.data(), static_cast<qsizetype>(method.size())));
        }
        Combo1->setCurrentIndex(0);
    }
    centreOnScreen();
    // The wizard takes a path from its command line only when it names an Access file.
    if (namesAccessDatabase(argumentText)) {
        setDatabasePath(argumentText);
        btnNext_Click();
    }
}

// The box shows the bytes as the locale's conversion reads them, a replacement character for
// what it cannot; the bytes themselves are what the database is opened with.
void Form1::setDatabasePath(const std::string& bytes) {
    txtDBName->setText(QFile::decodeName(QByteArray::fromStdString(bytes)));
    pathBytes_ = bytes; // after the text, whose change forgets the bytes
}

std::string Form1::databasePath() const {
    return pathBytes_ ? *pathBytes_ : txtDBName->text().toStdString();
}

WizardState Form1::wizardState() const {
    std::vector<std::string> items;
    for (const QString& item : entries(*List5))
        items.push_back(item.toStdString());
    return core::wizardState({.database = databasePath(),
                              .password = password.toStdString(),
                              .object = lblObj->text().toStdString(),
                              .fieldItems = std::move(items),
                              .method = Combo1->currentText().toStdString()},
                             keyFields_);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDBName) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // Alt with a letter is a command, never text: where no button takes it (Alt+B on
            // page 1, where "< Back" is disabled) the box would take the letter as typed.
            const Qt::KeyboardModifiers modifiers = static_cast<QKeyEvent*>(event)->modifiers();
            return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            Qt::DropAction granted = Qt::IgnoreAction;
            if (drag->mimeData() != nullptr &&
                txtDBName_OLEDragOver(*drag->mimeData(), drag->possibleActions(), granted)) {
                drag->setDropAction(granted);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData() != nullptr)
                txtDBName_OLEDragDrop(*drop->mimeData());
            drop->acceptProposedAction();
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The wizard has no Cancel button: Escape must not close it. Enter presses the button that has the
// focus; elsewhere it presses "Next >" on pages 2 to 4, as a wizard's default button does, and
// nothing on page 1, where Enter in the database box must not open the database. No button is
// made a default button, which the style would draw with a frame of its own.
void Form1::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        event->ignore();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (button == nullptr && step != static_cast<std::int16_t>(Page::Database))
            button = btnNext;
        if (button != nullptr && button->isEnabled())
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form1::btnNext_Click() {
    NextStep(static_cast<Page>(step));
}

void Form1::btnBack_Click() {
    const auto shown = static_cast<Page>(step);
    const auto previous = static_cast<Page>(--step);
    frame(previous)->setVisible(true);
    frame(shown)->setVisible(false);
    firstControl(previous)->setFocus();
    setNextCaption(QStringLiteral("Next >"));
    if (previous == Page::Database)
        btnBack->setEnabled(false);
}

void Form1::btnFile_Click() {
    const QString path = platform::chooseDatabaseFile(this);
    if (path.isEmpty()) {
        txtDBName->setFocus();
        return;
    }
    setDatabasePath(QFile::encodeName(path).toStdString());
    btnNext->setFocus();
}

bool Form1::txtDBName_OLEDragOver(const QMimeData& dragged, Qt::DropActions offered,
                                  Qt::DropAction& granted) const {
    if (!platform::holdsFileList(dragged) || !offered.testFlag(Qt::CopyAction))
        return false;
    granted = Qt::CopyAction;
    return true;
}

void Form1::txtDBName_OLEDragDrop(const QMimeData& dragged) {
    for (const std::string& path : platform::droppedFilePaths(dragged)) {
        if (namesAccessDatabase(path)) {
            setDatabasePath(path);
            btnNext->setFocus();
            return;
        }
    }
}

void Form1::btnAddField_Click() {
    moveSelectedField({*List2, *btnAddField, *btnAddAll}, {*List3, *btnDeleteField, *btnDeleteAll});
}

void Form1::btnAddAll_Click() {
    moveAllFields({*List2, *btnAddField, *btnAddAll}, {*List3, *btnDeleteField, *btnDeleteAll});
}

void Form1::btnDeleteField_Click() {
    moveSelectedField({*List3, *btnDeleteField, *btnDeleteAll}, {*List2, *btnAddField, *btnAddAll});
}

void Form1::btnDeleteAll_Click() {
    moveAllFields({*List3, *btnDeleteField, *btnDeleteAll}, {*List2, *btnAddField, *btnAddAll});
}

void Form1::NextStep(Page from) {
    WaitCursor wait;
    try {
        switch (from) {
        case Page::Database:
            openDatabaseAndListObjects(wait);
            break;
        case Page::Object:
            listFields(wait);
            break;
        case Page::Fields:
            fillSummary(wait);
            break;
        case Page::Summary:
            finish(wait);
            break;
        }
    } catch (const core::EngineError& error) {
        wait.restore();
        message(QStringLiteral("Error ") + QString::number(error.number()) +
                QStringLiteral("\r\n\r\n") + QString::fromStdString(error.description()));
    }
}

void Form1::openDatabaseAndListObjects(WaitCursor& wait) {
    const std::string path = databasePath();
    if (path.empty()) {
        wait.restore();
        message(QStringLiteral("Please supply a database to use."));
        txtDBName->setFocus();
        return;
    }

    // Only a wrong or missing password is looked at here; any other failure leaves no database,
    // and the listing below reports that.
    std::optional<core::DatabaseObjects> database;
    int lastError = 0;
    const auto open = [&] {
        try {
            database = catalogue_.listObjects(path, password.toStdString());
        } catch (const core::EngineError& error) {
            lastError = error.number();
        }
    };
    password.clear();
    open();
    while (lastError == core::kNotValidPassword) {
        lastError = 0;
        wait.restore();
        password = QInputDialog::getText(
            this, platform::programName(),
            QStringLiteral("Please enter the correct password for this database:"),
            QLineEdit::Password, password);
        if (password.isEmpty())
            return;
        wait.set();
        open();
    }

    List1->clear();
    if (!database)
        throw core::objectNotSet();
    QStringList items;
    for (const std::string& item : core::objectListItems(*database))
        items.append(QString::fromStdString(item));
    List1->addItems(items);
    selectFirstEntry(*List1);
    setHeading(*Label2, *List1, QStringLiteral("Which object would you like to use?"));
    ShowPage(Page::Object);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    wait.restore();
    ++step;
    btnBack->setEnabled(true);
}

void Form1::listFields(WaitCursor& wait) {
    const std::string item =
        List1->currentItem() != nullptr ? List1->currentItem()->text().toStdString() : "";
    const core::ObjectName object = core::splitObjectItem(item);
    const core::ObjectDefinition definition =
        catalogue_.describeObject(databasePath(), password.toStdString(), object.kind, object.name);
    keyFields_ = core::objectKey(object.kind, definition);
    primaryKeyField =
        keyFields_.empty() ? QString() : QString::fromStdString(keyFields_.back().name);

    List2->clear();
    List3->clear();
    const std::vector<std::string> items = core::fieldItems(definition);
    for (std::size_t field = 0; field < items.size(); ++field)
        List2->addItem(fieldListItem(items[field], definition.fields[field]));
    selectFirstEntry(*List2);
    setHeading(*label3, *List2, QStringLiteral("Which fields would you like to use?"));
    btnAddField->setEnabled(true);
    btnAddAll->setEnabled(true);
    btnDeleteField->setEnabled(false);
    btnDeleteAll->setEnabled(false);
    ShowPage(Page::Fields);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ++step;
    wait.restore();
}

void Form1::fillSummary(WaitCursor& wait) {
    if (List3->count() == 0) {
        wait.restore();
        message(QStringLiteral("Please select at least one field to use."));
        btnAddField->setFocus();
        return;
    }
    setHeading(*Label4, *Combo1,
               QStringLiteral(
                   "The wizard is ready to create an Ombrix based on the following selections."));
    lblDB->setText(txtDBName->text());
    lblDB->setToolTip(lblDB->text());
    lblObj->setText(List1->currentItem() != nullptr ? List1->currentItem()->text() : QString());
    List5->clear();
    for (int row = 0; row < List3->count(); ++row)
        List5->addItem(List3->item(row)->clone());
    selectFirstEntry(*List5);
    ShowPage(Page::Summary);
    ++step;
    setNextCaption(QStringLiteral("Finished"));
    wait.restore();
}

void Form1::finish(WaitCursor& wait) {
    const std::string page = GeneratePage(wizardState());
    showOutput_(*this, QString::fromStdString(page));
    wait.restore();
}

// The new page covers the one left behind. Panels further down are hidden as well, so that the
// keyboard cannot reach controls that are out of sight. The focus goes to the new page, as it
// does in a wizard, rather than staying on "Next >".
void Form1::ShowPage(Page page) {
    for (const Page below : {Page::Database, Page::Object, Page::Fields}) {
        if (below < page)
            frame(below)->setVisible(false);
    }
    frame(page)->setVisible(true);
    firstControl(page)->setFocus();
}

QWidget* Form1::firstControl(Page page) const {
    switch (page) {
    case Page::Database:
        return txtDBName;
    case Page::Object:
        return List1;
    case Page::Fields:
        return List2;
    case Page::Summary:
        break;
    }
    return Combo1;
}

// Setting a button's text takes its shortcut away (the text holds no "&" that would give one).
void Form1::setNextCaption(const QString& caption) {
    btnNext->setText(caption);
    btnNext->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
}

void Form1::message(const QString& text) {
    platform::showMessage(this, text);
}

} // namespace ombrix::wizard
