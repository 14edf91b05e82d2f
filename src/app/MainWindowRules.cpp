#include "app/MainWindowRules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vesperon {

std::optional<ResizeResult> resizeControls(int windowWidth, int windowHeight, bool minimized,
                                           int websiteButtonLeft, int listLeft, int listTop) {
    if (minimized)
        return std::nullopt;
    return ResizeResult{std::abs(windowWidth - websiteButtonLeft - 200),
                        std::abs(windowWidth - listLeft - 200), std::abs(windowHeight - listTop - 1000)};
}

int columnTwipsFromSetting(const QString &stored, int designTwips) {
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return designTwips;
    const double rounded = std::nearbyint(value); // to the nearest whole number, halves to even
    if (rounded < -32768 || rounded > 32767)
        return designTwips;
    return static_cast<int>(rounded);
}

QString columnSettingFromTwips(double twips) {
    // The shortest text that reads back as the same single-precision number.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(twips));
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

CloseDecision decideClose(CloseReason reason, bool &exitRequested, const QString &chkAlwaysExit,
                          const QString &chkNoShow) {
    if (reason == CloseReason::SystemShutdown || reason == CloseReason::TaskManager)
        exitRequested = true;
    CloseDecision decision;
    if (exitRequested) {
        decision.proceed = true;
        return decision;
    }
    decision.hide = true;
    if (chkAlwaysExit == QLatin1String("0")) {
        decision.showPrompt = chkNoShow == QLatin1String("0");
        decision.proceed = false;
    } else {
        decision.proceed = true;
    }
    return decision;
}

} // namespace vesperon
