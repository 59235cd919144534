// The peer of the wizard's start-up figures: a bare QDialog of the wizard's client size.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setFixedSize(433, 293);
    dialog.show();
    return QApplication::exec();
}
