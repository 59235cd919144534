#pragma once

class QListWidget;
class QPushButton;

namespace ombrix::wizard {

// One of the two field lists of the fields page with the two buttons that move entries out of it.
struct FieldListSide {
    QListWidget& list;
    QPushButton& moveOne;
    QPushButton& moveAll;
};

// ">" and "<": moves the source's selected entry to the end of the target and selects it there;
// the source selects the entry that followed, or the new last one. Both keep the invariants: a
// side's buttons are enabled exactly when its list is not empty, and a non-empty list has a
// selected entry.
void moveSelectedField(FieldListSide source, FieldListSide target);

// ">>" and "<<": appends every source entry, in order, to the target, selects the target's first
// entry and empties the source.
void moveAllFields(FieldListSide source, FieldListSide target);

} // namespace ombrix::wizard
