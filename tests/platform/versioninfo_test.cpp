#include "platform/versioninfo.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(VersionInfo, OwnProgramCarriesTheBuildVersionAndCopyright)
{
    const TVersionInfo own;
    ASSERT_TRUE(own.IsValid());
    EXPECT_EQ(own.FileVersionText(), QStringLiteral(RYV_EXPECTED_VERSION));
    EXPECT_EQ(own.ProductVersionText(), QStringLiteral(RYV_EXPECTED_VERSION));
    EXPECT_EQ(
        own.GetVerValue(QStringLiteral("LegalCopyright")), QStringLiteral(RYV_EXPECTED_COPYRIGHT));
    EXPECT_EQ(own.GetVerValue(QStringLiteral("ProductName")), QStringLiteral("Ryv Tracker"));
    EXPECT_EQ(own.GetVerValue(QStringLiteral("NoSuchKey")), QString());
    const QStringList parts = QStringLiteral(RYV_EXPECTED_VERSION).split('.');
    const auto fixed = own.FixedVersion(false);
    EXPECT_EQ(fixed[0], parts.value(0).toUShort());
    EXPECT_EQ(fixed[1], parts.value(1).toUShort());
    EXPECT_EQ(fixed[3], 0);
}

TEST(VersionInfo, OtherFilesHaveNoVersionAndReloadingSwitches)
{
    TVersionInfo info(QStringLiteral("/bin/sh"));
    EXPECT_FALSE(info.IsValid());
    EXPECT_EQ(info.FileVersionText(), QString());
    EXPECT_EQ(info.GetVerValue(QStringLiteral("LegalCopyright")), QString());
    EXPECT_EQ(info.FixedVersion(true), (std::array<quint16, 4> { 0, 0, 0, 0 }));

    info.LoadFile(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(info.IsValid());
    info.LoadFile(QString());
    EXPECT_FALSE(info.IsValid());
}

} // namespace
} // namespace ryv
