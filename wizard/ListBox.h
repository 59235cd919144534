#pragma once

#include <QListWidget>

namespace ombrix::wizard {

// A single-selection list that, like a classic list box, never loses its selection to the mouse
// or the keyboard (Ctrl+click or a click below the last entry), so a non-empty list always has a
// selected entry. Its entries show only what fits: no eliding, no horizontal scroll bar.
class ListBox : public QListWidget {
public:
    explicit ListBox(QWidget* parent);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace ombrix::wizard
