// A Qt generic plugin that ends any Qt Widgets program as soon as its first window has been
// painted: loaded into an unchanged program (QT_PLUGIN_PATH, QT_QPA_GENERIC_PLUGINS), it turns
// "start to first painted window" into the program's whole run time, which hyperfine and
// /usr/bin/time can measure from outside.
#include <QCoreApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            // The repaint manager flushes the painted window to the screen before the event
            // loop runs again; end then, skipping the program's own teardown.
            QTimer::singleShot(0, [] {
                std::fputs("first-paint\n", stderr);
                std::fflush(stderr);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

class FirstPaintProbe final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "FirstPaintProbe.json")

public:
    QObject* create(const QString&, const QString&) override {
        auto* filter = new FirstPaintFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
        return filter;
    }
};

#include "FirstPaintProbe.moc"
