// How long the start takes to read the settings store: LoadSettings and the
// other keys the board and the dialog read, once after each change of the
// file, as a start finds it. Two stores: the program's own (every key
// saved, under 2 KB), and one of the largest size read (1 MB) filled with
// short junk keys. Runs on Qt's offscreen platform with a private store.

#include "offscreen_bench.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The keys the start reads beyond the record's.
constexpr const char* kOtherKeys[] = {"backpicture", "xiankuan1",  "xiankuan2", "MainLeft", "MainTop",
                                      "MainWidth",   "MainHeight", "pxpleft",   "pxpltop"};

void writeStore(const QByteArray& text) {
    QDir().mkpath(QFileInfo(plotdesk::settingsFilePath()).absolutePath());
    QFile store(plotdesk::settingsFilePath());
    if (!store.open(QIODevice::WriteOnly) || store.write(text) != text.size()) std::abort();
}

QByteArray ownStore() {
    QByteArray text = "[Settings]\n";
    for (const char* key : {"left", "width", "_heiht", "max_x", "max_y", "min_x", "min_y", "start", "end", "step",
                            "lcolor", "bcolor", "fcolor", "max_l", "max_t"})
        text += QByteArray(key) + "=2000\n";
    for (const char* key : kOtherKeys) text += QByteArray(key) + "=1000\n";
    return text;
}

QByteArray junkStore() {
    QByteArray text = ownStore();
    for (int k = 0; text.size() < 1024 * 1024 - 32; ++k) text += "junk" + QByteArray::number(k) + "=1\n";
    return text;
}

void readAtStart(benchmark::State& state, const QByteArray& text) {
    writeStore(text);
    const QByteArray path = QFile::encodeName(plotdesk::settingsFilePath());
    timespec times[2] = {{0, UTIME_OMIT}, {0, 0}};
    for (auto _ : state) {
        state.PauseTiming();
        ++times[1].tv_sec;  // a new version of the file, as a start finds it
        ::utimensat(AT_FDCWD, path.constData(), times, 0);
        state.ResumeTiming();
        plotdesk::LoadSettings();
        for (const char* key : kOtherKeys) benchmark::DoNotOptimize(plotdesk::GetSetting(QString::fromLatin1(key)));
    }
    if (plotdesk::Settings().width != 2000) state.SkipWithError("the store was not read");
}

void BM_ReadOwnStore(benchmark::State& state) { readAtStart(state, ownStore()); }
void BM_ReadJunkStore(benchmark::State& state) { readAtStart(state, junkStore()); }
BENCHMARK(BM_ReadOwnStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadJunkStore)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return plotdesk::bench::runOffscreen(argc, argv); }
