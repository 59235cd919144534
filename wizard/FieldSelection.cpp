#include "wizard/FieldSelection.h"

#include <QListWidget>
#include <QPushButton>

namespace ombrix::wizard {

namespace {

void enableMoves(FieldListSide side, bool enabled) {
    side.moveOne.setEnabled(enabled);
    side.moveAll.setEnabled(enabled);
}

} // namespace

void moveSelectedField(FieldListSide source, FieldListSide target) {
    const int i = source.list.currentRow();
    if (i < 0)
        return;
    // The entry itself moves, so that what assistive technology reads of it goes along.
    target.list.addItem(source.list.takeItem(i));
    target.list.setCurrentRow(target.list.count() - 1);
    source.list.setCurrentRow(source.list.count() == i ? i - 1 : i);
    if (source.list.count() == 0)
        enableMoves(source, false);
    enableMoves(target, true);
}

void moveAllFields(FieldListSide source, FieldListSide target) {
    while (source.list.count() > 0)
        target.list.addItem(source.list.takeItem(0));
    target.list.setCurrentRow(0);
    enableMoves(source, false);
    enableMoves(target, true);
}

} // namespace ombrix::wizard
