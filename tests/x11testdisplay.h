#pragma once

// The display of the suite's own X server (scripts/test-x11-server.sh), for
// tests registered with ryv_add_test(... X11). Never the user's display: a
// test that finds no server of the suite skips.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace ryv::test {

// ":N", or empty when the suite's server is not running.
inline QString TestX11Display()
{
    const QString state = qEnvironmentVariable("RYV_X11_STATE");
    if (state.isEmpty())
        return {};
    QFile file(state + QStringLiteral("/display"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).trimmed();
}

} // namespace ryv::test

// Skips the current test when the suite's X server is not there, saying why.
#define RYV_REQUIRE_X11(display)                                                                   \
    const QString display = ::ryv::test::TestX11Display();                                         \
    if (display.isEmpty())                                                                         \
    GTEST_SKIP() << "no X server of the test suite (Xvfb not installed or did not start)"
