#include "platform/awaysources.h"

#include "platform/screenlockwatcher.h"
#include "platform/sleepwatcher.h"
#include "platform/x11idletime.h"
#include "tracking/awaytracker.h"

namespace ryv {

namespace {

std::unique_ptr<IIdleTime> DesktopIdleTime()
{
    if (!TX11IdleTime::SessionIsX11())
        return nullptr;
    auto idle = std::make_unique<TX11IdleTime>();
    if (!idle->IsAvailable())
        return nullptr;
    return idle;
}

} // namespace

TAwaySources::TAwaySources(QObject* parent)
    : TAwaySources(
        QDBusConnection::sessionBus(), QDBusConnection::systemBus(), DesktopIdleTime(), parent)
{
}

TAwaySources::TAwaySources(const QDBusConnection& session, const QDBusConnection& system,
    std::unique_ptr<IIdleTime> idle, QObject* parent)
    : QObject(parent)
    , FIdle(std::move(idle))
    , FLock(new TScreenLockWatcher(session, this))
    , FSleep(new TSleepWatcher(system, this))
{
}

TAwaySources::~TAwaySources()
{
    if (FAttached)
        FAttached->SetIdleTime(nullptr);
}

void TAwaySources::Attach(TAwayTracker& away)
{
    FAttached = &away;
    away.SetIdleTime(FIdle.get());
    connect(FLock, &TScreenLockWatcher::lockChanged, &away, &TAwayTracker::ScreenLockChanged);
    connect(FSleep, &TSleepWatcher::sleepChanged, &away, &TAwayTracker::SleepChanged);
}

} // namespace ryv
