#pragma once

#include "FakeCatalogue.h"
#include "Fixtures.h"
#include "ModalAnswers.h"
#include "wizard/Form1.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace ombrix::testing {

// The wizard window over the sample databases, driven as a user would: typing, clicking the real
// buttons, answering the boxes through `answers`. "Finished" hands its text to `outputs`.
class WizardDriver {
public:
    FakeCatalogue catalogue;
    QStringList outputs;
    ModalAnswers answers;
    std::unique_ptr<wizard::Form1> form;

    WizardDriver() {
        addSampleDatabases(catalogue);
        form = std::make_unique<wizard::Form1>(
            catalogue, [this](QWidget&, const QString& text) { outputs.append(text); });
    }

    // Loads the window with the argument text, then shows it.
    bool start(const QString& argumentText = {}) {
        form->Form_Load(argumentText);
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    template <typename Widget = QWidget>
    Widget* get(const char* name) const {
        return form->findChild<Widget*>(QString::fromLatin1(name));
    }

    QPushButton* button(const char* name) const { return get<QPushButton>(name); }
    QListWidget* list(const char* name) const { return get<QListWidget>(name); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void next() { click("btnNext"); }
    void back() { click("btnBack"); }

    void typePath(const QString& path) {
        auto* box = get<QLineEdit>("txtDBName");
        box->clear();
        QTest::keyClicks(box, path);
    }

    // Picks an entry of a list with the mouse.
    void pick(const char* listName, int row) {
        QListWidget* target = list(listName);
        const QRect area = target->visualItemRect(target->item(row));
        QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, area.center());
    }

    QStringList entries(const char* listName) const {
        QStringList result;
        const QListWidget* target = list(listName);
        for (int row = 0; row < target->count(); ++row)
            result.append(target->item(row)->text());
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

    // Page 1 to page 3 with the object chosen, as the user would.
    void openFieldsPage(const QString& path, int objectRow) {
        typePath(path);
        next();
        pick("List1", objectRow);
        next();
    }
};

} // namespace ombrix::testing
