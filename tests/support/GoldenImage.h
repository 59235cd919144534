#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>

namespace ombrix::tests {

// Compares a drawing with its golden PNG pixel by pixel; OMBRIX_UPDATE_GOLDEN=1 writes the PNG
// anew (look at it before committing).
inline void expectGoldenImage(const QImage& drawn, const std::filesystem::path& golden) {
    const QString path = QString::fromStdString(golden.string());
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    if (qEnvironmentVariableIsSet("OMBRIX_UPDATE_GOLDEN")) {
        ASSERT_TRUE(image.save(path, "PNG"));
    }
    EXPECT_EQ(image, QImage(path).convertToFormat(QImage::Format_ARGB32)) << golden;
}

} // namespace ombrix::tests
