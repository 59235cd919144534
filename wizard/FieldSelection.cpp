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
    target.list.addItem(source.list.item(i)->text());
    target.list.setCurrentRow(target.list.count() - 1);
    delete source.list.takeItem(i);
    source.list.setCurrentRow(source.list.count() == i ? i - 1 : i);
    if (source.list.count() == 0)
        enableMoves(source, false);
    enableMoves(target, true);
}

void moveAllFields(FieldListSide source, FieldListSide target) {
    const int n = source.list.count();
    for (int index = 0; index < n; ++index)
        target.list.addItem(source.list.item(index)->text());
    target.list.setCurrentRow(0);
    source.list.clear();
    enableMoves(source, false);
    enableMoves(target, true);
}

} // namespace ombrix::wizard
