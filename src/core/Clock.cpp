#include "core/Clock.h"

namespace vesperon {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

} // namespace vesperon
