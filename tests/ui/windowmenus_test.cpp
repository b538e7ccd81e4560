#include "ui/windowmenus.h"

#include "platform/versioninfo.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(WindowMenusAbout, ShowsVersionEmptyLineAndCopyright)
{
    EXPECT_EQ(TWindowMenus::AboutText(),
        QStringLiteral("Version: 1.0.0\r\n\r\n") + TVersionInfo::ProgramCopyright());
}

} // namespace
} // namespace ryv
