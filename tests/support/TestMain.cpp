#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A warning, critical message or fatal error printed while a test runs fails that test: each
// one is a fault of the program or of the test's setup. Notices outside the program's control,
// printed whatever it does, are let pass: the offscreen platform's own limits ("This plugin
// does not support raise()"), and the font database's note that an installed font has no
// shaping tables for a script (seen when a test shows Bangla digits).
void failOnWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    const QByteArray text = message.toLocal8Bit();
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.trimmed().startsWith(QLatin1String("OpenType support missing for")))
        return;
    if (type == QtDebugMsg || type == QtInfoMsg) {
        fprintf(stderr, "%s\n", text.constData());
        return;
    }
    ADD_FAILURE_AT(context.file ? context.file : "(Qt)", context.line) << "Qt printed: " << text.constData();
}

} // namespace

// Every test runs inside a Qt application on the offscreen platform, with dates and
// numbers in the en_US forms the expectations are written in.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // A private runtime folder where the session has none, as a desktop session provides one.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(failOnWarnings);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
