#pragma once

#include "core/FieldItem.h"
#include "support/ModalAnswers.h"
#include "support/QtPrinting.h"
#include "support/SampleDatabases.h"
#include "wizard/Form1.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace ombrix::tests {

// A field list item as the wizard's lists hold it.
inline QString fieldItem(std::string_view name, std::string_view prefix) {
    return QString::fromStdString(core::makeFieldItem(name, prefix));
}

// The wizard window over a catalogue, driven as a user would: typing, clicking the real buttons,
// answering the boxes through `answers`. "Finished" hands its text to `outputs` unless the test
// gives its own hand-off.
class WizardDriver {
public:
    QStringList outputs;
    ModalAnswers answers;
    wizard::Form1 form;

    explicit WizardDriver(core::Catalogue& catalogue, wizard::ShowOutput showOutput = {})
        : form(
              catalogue, showOutput
                             ? std::move(showOutput)
                             : [this](QWidget&, const QString& text) { outputs.append(text); }) {}

    // Loads the window with the argument text, then shows it.
    bool start(const std::string& argumentText = {}) {
        form.Form_Load(argumentText);
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }

    template <typename Widget = QWidget>
    Widget* get(const char* name) const {
        return form.findChild<Widget*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const { return get<QPushButton>(name); }
    QListWidget* list(const char* name) const { return get<QListWidget>(name); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void next() { click("btnNext"); }
    void back() { click("btnBack"); }

    void typePath(const QString& path) {
        get<QLineEdit>("txtDBName")->clear();
        QTest::keyClicks(get("txtDBName"), path);
    }

    // Picks an entry of a list with the mouse.
    void pick(const char* listName, int row) {
        QListWidget* target = list(listName);
        const QRect area = target->visualItemRect(target->item(row));
        QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, area.center());
    }

    QStringList entries(const char* listName) const {
        QStringList result;
        for (int row = 0; row < list(listName)->count(); ++row)
            result.append(list(listName)->item(row)->text());
        return result;
    }

    // The page on show: the highest visible page panel (0 for none).
    int visiblePage() const {
        for (int page = 4; page >= 1; --page) {
            if (get(QStringLiteral("picFrame%1").arg(page).toLatin1().constData())->isVisible())
                return page;
        }
        return 0;
    }

    // The page on show when the step agrees with it, else -1.
    int page() const { return visiblePage() == form.currentStep() ? visiblePage() : -1; }

    // Page 1 to page 3 with the object chosen.
    void openFieldsPage(const QString& path, int objectRow) {
        typePath(path);
        next();
        pick("List1", objectRow);
        next();
    }
};

// A wizard over the sample databases, not yet loaded.
class SampleWizardTest : public ::testing::Test {
protected:
    FakeCatalogue catalogue = sampleCatalogue();
    WizardDriver wizard{catalogue};
};

// The same, loaded and on its first page.
class StartedWizardTest : public SampleWizardTest {
protected:
    void SetUp() override { ASSERT_TRUE(wizard.start()); }
};

} // namespace ombrix::tests
