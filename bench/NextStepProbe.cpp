// A Qt generic plugin that times the wizard's first step from inside the unchanged program: at its
// first painted window it puts the database given after the plugin's name
// (QT_QPA_GENERIC_PLUGINS=ombrixnextstep:PATH) into the database box and clicks "Next >", and
// when the object list of page 2 has been painted it prints "next-step-ms N", the milliseconds
// from the click, and ends the program.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

[[noreturn]] void endWith(const char* line, int status) {
    std::fputs(line, stderr);
    std::fflush(stderr);
    _exit(status);
}

class NextStepFilter final : public QObject {
public:
    NextStepFilter(QString database, QObject* parent)
        : QObject(parent), database_(std::move(database)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (objects_ == nullptr && widget->isWindow()) {
            objects_ = widget->findChild<QListWidget*>(QStringLiteral("List1"));
            if (objects_ == nullptr)
                endWith("next-step: not the wizard\n", 1);
            QTimer::singleShot(0, widget, [this, widget] { clickNext(*widget); });
        } else if (objects_ != nullptr && watched == objects_->viewport() && clock_.isValid()) {
            // As the repaint manager flushes the painted window before the next event.
            QTimer::singleShot(0, [this] {
                const QByteArray line = "next-step-ms " +
                                        QByteArray::number(clock_.nsecsElapsed() / 1e6, 'f', 2) +
                                        '\n';
                endWith(line.constData(), 0);
            });
        }
        return false;
    }

private:
    void clickNext(QWidget& wizard) {
        auto* box = wizard.findChild<QLineEdit*>(QStringLiteral("txtDBName"));
        auto* next = wizard.findChild<QPushButton*>(QStringLiteral("btnNext"));
        if (box == nullptr || next == nullptr)
            endWith("next-step: not the wizard\n", 1);
        box->setText(database_);
        clock_.start();
        next->click();
    }

    QString database_;
    QListWidget* objects_ = nullptr;
    QElapsedTimer clock_;
};

} // namespace

class NextStepProbe final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "NextStepProbe.json")

public:
    QObject* create(const QString&, const QString& database) override {
        auto* filter = new NextStepFilter(database, QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
        return filter;
    }
};

#include "NextStepProbe.moc"
