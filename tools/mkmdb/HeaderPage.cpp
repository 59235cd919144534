#include "HeaderPage.h"

#include "JetText.h"
#include "reader/JetHeader.h"

#include <QtEndian>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace mkmdb {
namespace {

using namespace ombrix::reader;

constexpr std::uint16_t kWindowsLatin1 = 1252;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

} // namespace

void writeHeaderPage(char* page, const QString& password, double created) {
    static constexpr char kEngine[] = "Standard Jet DB";
    page[0] = 0x00;
    page[1] = 0x01;
    std::memcpy(page + kEngineNameOffset, kEngine, sizeof kEngine);
    page[kFormatVersionOffset] = 0x01; // Jet 4

    // Leading words of the scrambled block, as in every Access 2000 file examined.
    static constexpr std::array<std::uint8_t, 24> kBlockStart{0, 1, 0, 0, 1, 1, 0, 0, 2, 0, 0, 0,
                                                              3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
    std::memcpy(page + kScrambledStart, kBlockStart.data(), kBlockStart.size());
    qToLittleEndian(kWindowsLatin1, page + kCodePageOffset);
    qToLittleEndian(kGeneralSortOrder, page + kSortOrderOffset);
    qToLittleEndian(created, page + kCreatedOffset);

    // The password is UCS-2, masked with the whole days of the creation date repeated; an
    // empty password therefore stores the mask itself.
    const QByteArray text = ucs2(password);
    std::array<char, 4> mask{};
    qToLittleEndian(static_cast<std::int32_t>(std::floor(created)), mask.data());
    for (std::size_t i = 0; i < kJet4PasswordBytes; ++i) {
        const char plain =
            i < static_cast<std::size_t>(text.size()) ? text[static_cast<qsizetype>(i)] : '\0';
        page[kPasswordOffset + i] = static_cast<char>(plain ^ mask[i % 4]);
    }
    scrambleHeader(page + kScrambledStart, kJet4ScrambledLength);

    // Unscrambled trailer Access 2000 writes after the block: a build number and "4.0".
    qToLittleEndian(std::uint32_t{0x0654}, page + kScrambledStart + kJet4ScrambledLength);
    std::memcpy(page + kScrambledStart + kJet4ScrambledLength + 4, "4.0", 4);
}

} // namespace mkmdb
