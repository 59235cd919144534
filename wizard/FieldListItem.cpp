#include "wizard/FieldListItem.h"

#include <QListWidgetItem>

namespace ombrix::wizard {

QListWidgetItem* fieldListItem(const std::string& item, const core::FieldDef& field) {
    auto* entry = new QListWidgetItem(QString::fromStdString(item));
    entry->setData(Qt::AccessibleTextRole, QString::fromStdString(field.name));
    const std::string_view type = core::fieldTypeName(field.type);
    entry->setData(Qt::AccessibleDescriptionRole,
                   QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())));
    return entry;
}

} // namespace ombrix::wizard
