#include "cli/CheckReport.h"

#include <nlohmann/json.hpp>

namespace ombrix::cli {

namespace {

using core::MendReason;
using core::PasswordProblem;

constexpr const char* kAppPoolCommand =
    "%windir%\\system32\\inetsrv\\appcmd.exe set apppool /apppool.name:\"<pool>\" "
    "/enable32BitAppOnWin64:true";
constexpr const char* kRedistributable = "Microsoft Access Database Engine Redistributable";

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

// What to do about an item, after its name as SQL takes it.
std::string advice(const core::MendItem& item) {
    switch (item.reason) {
    case MendReason::Blank:
        return "brackets in the SQL";
    case MendReason::Character:
        return "brackets in the SQL, another variable name";
    case MendReason::ReservedWord:
        return "brackets in the SQL; another variable name for a VBScript keyword";
    case MendReason::NoPrimaryKey:
        return "write the where clause that finds one record";
    case MendReason::NotUpdatable:
        return item.detail + ": show it, never update it";
    case MendReason::Linked:
        return item.detail + " must exist on the server";
    case MendReason::Type:
        return item.detail + ": leave it out of the form";
    case MendReason::AutoNumber:
        return "leave it out of the UPDATE's SET list";
    }
    return {};
}

std::string passwordProblem(PasswordProblem problem, int limit) {
    return problem == PasswordProblem::TooLong
               ? "longer than " + std::to_string(limit) + " characters, the most the engine takes"
               : "holds \";\", which ends it early in the connection string";
}

std::string errorLine(const core::EngineError& error) {
    return "Error " + std::to_string(error.number()) + ": " + error.description();
}

void writeConnection(std::string& text, const core::ConnectionCheck& connection) {
    const auto line = [&text](const char* label, const std::string& value) {
        text += "  " + padded(label, 12) + value + '\n';
    };
    text += "\nConnection\n";
    line("driver", connection.driver);
    if (!connection.driverOpensFormat) {
        line("", "cannot open this format: an .accdb name makes the page name the Access "
                 "Database Engine's driver");
    }
    if (connection.accessDatabaseEngine) {
        line("server",
             std::string("needs the ") + kRedistributable + ", of the application pool's bitness");
    } else {
        line("server", "32-bit only: on 64-bit IIS the pool needs \"Enable 32-bit Applications\":");
        line("", kAppPoolCommand);
    }
    line("lock file", connection.lockFile +
                          ", made beside the database: the pool's identity "
                          "IIS APPPOOL\\<pool> needs Modify on " +
                          connection.folder);
    line("web root", "keep the database outside the web root, where anyone can download it");
    for (const PasswordProblem problem : connection.passwordProblems) {
        line("password", passwordProblem(problem, connection.passwordLimit));
    }
}

void writeObjects(std::string& text, const std::vector<core::ObjectCheck>& objects) {
    const auto updatable = std::ranges::count_if(objects, &core::ObjectCheck::updatable);
    text += "\nObjects: " + std::to_string(objects.size()) + ", " + std::to_string(updatable) +
            " updatable\n";
    for (const core::ObjectCheck& object : objects) {
        text += "  " + object.item + (object.updatable ? "" : " (not updatable)") +
                (object.mend.empty() && !object.fieldsUnread ? ": nothing to mend" : "") + '\n';
        for (const core::MendItem& item : object.mend) {
            text += "    " + padded(std::string(core::reasonName(item.reason)), 16) +
                    padded(item.write, 24) + ' ' + advice(item) + '\n';
        }
        if (object.fieldsUnread) {
            text += "    fields not read: " + errorLine(*object.fieldsUnread) + '\n';
        }
    }
}

} // namespace

std::string checkReportText(const core::DeploymentReport& report) {
    std::string text = "Database " + report.database + '\n';
    text += "  format      " + report.format + " (" + report.formatRelease + ")\n";
    std::string encryption;
    for (const std::string& scheme : report.encryption) {
        encryption += (encryption.empty() ? "" : ", ") + scheme;
    }
    text += "  encryption  " + (encryption.empty() ? "none" : encryption) + '\n';
    if (report.codePage) {
        text += "  code page   " + std::to_string(*report.codePage) + '\n';
    }
    writeConnection(text, report.connection);
    if (report.objects) {
        writeObjects(text, *report.objects);
    } else {
        text += "\nObjects: not read; checking them needs the database's password\n";
    }
    return text;
}

std::string checkReportJson(const core::DeploymentReport& report) {
    using Json = nlohmann::ordered_json;
    const core::ConnectionCheck& connection = report.connection;
    Json problems = Json::array();
    for (const PasswordProblem problem : connection.passwordProblems) {
        problems.push_back(problem == PasswordProblem::TooLong ? "too long" : "semicolon");
    }
    Json objects = nullptr;
    if (report.objects) {
        objects = Json::array();
        for (const core::ObjectCheck& object : *report.objects) {
            Json mend = Json::array();
            for (const core::MendItem& item : object.mend) {
                mend.push_back({{"name", item.name},
                                {"reason", core::reasonName(item.reason)},
                                {"write", item.write},
                                {"detail", item.detail}});
            }
            objects.push_back(
                {{"item", object.item},
                 {"updatable", object.updatable},
                 {"mend", std::move(mend)},
                 {"fieldsUnread",
                  object.fieldsUnread ? Json(errorLine(*object.fieldsUnread)) : Json(nullptr)}});
        }
    }
    const Json document{
        {"database", report.database},
        {"format", report.format},
        {"release", report.formatRelease},
        {"encryption", report.encryption},
        {"codePage", report.codePage ? Json(*report.codePage) : Json(nullptr)},
        {"driver", connection.driver},
        {"appPoolCommand", connection.accessDatabaseEngine ? Json(nullptr) : Json(kAppPoolCommand)},
        {"redistributable",
         connection.accessDatabaseEngine ? Json(kRedistributable) : Json(nullptr)},
        {"driverOpensFormat", connection.driverOpensFormat},
        {"lockFile", connection.lockFile},
        {"folder", connection.folder},
        {"passwordLimit", connection.passwordLimit},
        {"passwordProblems", std::move(problems)},
        {"objects", std::move(objects)}};
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

} // namespace ombrix::cli
