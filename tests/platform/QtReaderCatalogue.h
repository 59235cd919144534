#pragma once

#include "platform/Catalogue.h"
#include "platform/ReaderCatalogue.h"

#include <type_traits>

namespace ombrix::platform {

// ReaderCatalogue answering in Qt strings, for the tests written against them.
class QtReaderCatalogue {
public:
    DatabaseObjects listObjects(const QString& path, const QString& password) {
        return translated([&] {
            DatabaseObjects result;
            const auto objects = reader_.listObjects(path.toStdString(), password.toStdString());
            for (const auto& table : objects.tables) {
                result.tables.append({QString::fromStdString(table.name)});
            }
            for (const auto& query : objects.queries) {
                result.queries.append({QString::fromStdString(query.name), query.type});
            }
            return result;
        });
    }

    ObjectDefinition describeObject(const QString& path, const QString& password, ObjectKind kind,
                                    const QString& name) {
        return translated([&] {
            ObjectDefinition result;
            const auto definition = reader_.describeObject(
                path.toStdString(), password.toStdString(),
                kind == ObjectKind::Table ? core::ObjectKind::Table : core::ObjectKind::Query,
                name.toStdString());
            for (const auto& field : definition.fields) {
                result.fields.append({QString::fromStdString(field.name), field.type});
            }
            for (const auto& index : definition.indexes) {
                IndexDef def{QString::fromStdString(index.name), {}};
                for (const auto& key : index.fields) {
                    def.fields.append(QString::fromStdString(key));
                }
                result.indexes.append(def);
            }
            return result;
        });
    }

private:
    template <typename Request>
    static std::invoke_result_t<Request> translated(Request request) {
        try {
            return request();
        } catch (const core::EngineError& error) {
            throw EngineError(error.number(), QString::fromStdString(error.description()));
        }
    }

    ReaderCatalogue reader_;
};

} // namespace ombrix::platform
