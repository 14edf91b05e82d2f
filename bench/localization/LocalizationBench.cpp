// What a window pays for applying a language while it loads: reading Localization.txt,
// finding the group and translating every control and the message table.

#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vesperon;

namespace {

constexpr int ItemsPerGroup = 250;
constexpr int Controls = 60;

// A file of `groups` languages with ItemsPerGroup items each, made once per size.
const QString &fileWith(int groups) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto &dir = folders[groups];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n";
        for (int g = 0; g < groups; ++g) {
            bytes += "<LANGUAGE_GROUP xml:lang=\"x\">\r\n\t<LANGUAGE_NAME>Language" + QByteArray::number(g) +
                     "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n";
            for (int i = 0; i < ItemsPerGroup; ++i) {
                const QByteArray key = "FRMMAIN_CONTROL" + QByteArray::number(i);
                bytes += "\t\t<" + key + ">Text " + QByteArray::number(i) + " \xc3\xa9</" + key + ">\r\n";
            }
            bytes += "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
        }
        bytes += "</XML_DIZ_INFO>\r\n";
        QFile file(localizationFilePath(dir->path()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    static QString path;
    path = localizationFilePath(dir->path());
    return path;
}

void BM_ChangeLanguage(benchmark::State &state) {
    const int groups = static_cast<int>(state.range(0));
    ProgramValues values;
    LanguageEngine languages(fileWith(groups), values);
    SetDefaultMessages(languages);
    QWidget window;
    window.setObjectName("frmMain");
    for (int i = 0; i < Controls; ++i) {
        QWidget *control = i % 2 ? static_cast<QWidget *>(new QLabel(&window)) : new QPushButton(&window);
        control->setObjectName(QStringLiteral("control%1").arg(i * 3));
    }
    const QString last = QStringLiteral("Language%1").arg(groups - 1);
    for (auto _ : state)
        languages.ChangeLanguage(&window, last);
    state.counters["file_kB"] = static_cast<double>(QFile(fileWith(groups)).size()) / 1024.0;
}
BENCHMARK(BM_ChangeLanguage)->Arg(1)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

} // namespace
