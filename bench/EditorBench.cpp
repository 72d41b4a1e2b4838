// tarvix-bench: how long each editor takes to open (with its first full paint), to show
// another record (with its repaint) and to save, on both samples, beside the floor: the
// same reads and writes made with plain pread and pwrite on one open file. Also the fill
// of the heaviest lists, the program's start against a trivial Qt dialog, and peak memory.

#include "app/EditorLaunch.h"
#include "editors/common/GameLists.h"
#include "editors/magic/SpellIconsDlg.h"
#include "editors/monsters/MonsterFilesDlg.h"
#include "exe/AccessLog.h"
#include "exe/Edition.h"
#include "exe/WorkingCopy.h"
#include "tables/Access.h"
#include "tables/GameTables.h"
#include "ui/CDialog.h"
#include "ui/DialogTemplate.h"
#include "ui/FieldBinding.h"
#include "ui/FieldControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace tarvix;

namespace {

QTemporaryDir* g_scratch = nullptr;

struct Sample {
    const char* name;
    const Edition* edition;
};
const Sample kSamples[] = {{"diablo", &kDiablo}, {"hellfire", &kHellfire}};

// A private copy of a sample, so that Save may write.
QString sampleCopy(const Sample& sample)
{
    const QString path = g_scratch->filePath(QStringLiteral("%1.exe").arg(sample.name));
    if (!QFile::exists(path)) {
        QFile::copy(QStringLiteral(TARVIX_SAMPLE_DIR "/%1-sample.exe").arg(sample.name), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    return path;
}

struct EditorEntry {
    const char* name;
    std::function<std::unique_ptr<CEditorDlg>(const Edition&)> make;
    bool hasRecordList = true;
};

std::unique_ptr<CEditorDlg> fromButton(int id)
{
    return makeEditor(id, nullptr);
}

const std::vector<EditorEntry>& editors()
{
    static const std::vector<EditorEntry> all{
        {"FileSaves", [](const Edition&) { return fromButton(1000); }, false},
        {"Characters", [](const Edition&) { return fromButton(1001); }},
        {"BaseItems", [](const Edition&) { return fromButton(1002); }},
        {"UniqueItems", [](const Edition&) { return fromButton(1003); }},
        {"Affixes", [](const Edition&) { return fromButton(1004); }},
        {"Spells", [](const Edition&) { return fromButton(1005); }},
        {"MonsterData", [](const Edition&) { return fromButton(1008); }},
        {"Bosses", [](const Edition&) { return fromButton(1009); }},
        {"Speeches", [](const Edition&) { return fromButton(1134); }},
        {"ItemFlips", [](const Edition&) { return fromButton(1050); }},
        {"MonsterFiles",
         [](const Edition&) {
             auto dlg = std::make_unique<CMonsterFilesDlg>();
             dlg->setRecord(7);
             return std::unique_ptr<CEditorDlg>(std::move(dlg));
         },
         false},
        {"SpellIcons",
         [](const Edition& edition) {
             auto dlg = std::make_unique<CSpellIconsDlg>();
             const tables::Placement spells(tables::kSpells, edition);
             dlg->setSpells(spells.rows(), spells.offsetOf(tables::fieldOf(tables::kSpells, "magic_name"), 0));
             return std::unique_ptr<CEditorDlg>(std::move(dlg));
         }},
    };
    return all;
}

// The floor: the same reads and writes as the editor made, each with one pread or
// pwrite on a file kept open, timed over enough rounds to be measurable.
double floorSeconds(const std::vector<Access>& accesses, const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    if (fd < 0) return 0;
    std::vector<std::uint8_t> buffer(1 << 20);
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
        QElapsedTimer t;
        t.start();
        for (const Access& a : accesses) {
            if (a.count > buffer.size()) buffer.resize(a.count);
            if (a.write) {
                // Back what is there: the floor changes no byte.
                if (::pread(fd, buffer.data(), a.count, static_cast<off_t>(a.offset)) < 0) break;
                if (::pwrite(fd, buffer.data(), a.count, static_cast<off_t>(a.offset)) < 0) break;
            } else if (::pread(fd, buffer.data(), a.count, static_cast<off_t>(a.offset)) < 0) {
                break;
            }
        }
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    ::close(fd);
    return best;
}

void reportFloor(benchmark::State& state, double total, const std::vector<Access>& accesses, const QString& path)
{
    const double floor = floorSeconds(accesses, path);
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["x_floor"] = floor > 0 ? mean / floor : 0;
    std::uint64_t bytes = 0;
    for (const Access& a : accesses) bytes += a.count;
    state.counters["accesses"] = static_cast<double>(accesses.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}

// The untouched sample, as the original of the copy the editors work on.
QString originalOf(const Sample& sample)
{
    return QStringLiteral(TARVIX_SAMPLE_DIR "/%1-sample.exe").arg(sample.name);
}

std::unique_ptr<CEditorDlg> openOn(const EditorEntry& entry, const Sample& sample, const QString& path,
                                   bool withOriginal = false)
{
    auto dlg = entry.make(*sample.edition);
    dlg->setWorkingCopy(path, *sample.edition);
    if (withOriginal) dlg->setOriginal(originalOf(sample));
    dlg->show();
    dlg->grab(); // the first full paint
    return dlg;
}

void benchOpen(benchmark::State& state, const EditorEntry& entry, const Sample& sample, bool withOriginal)
{
    const QString path = sampleCopy(sample);
    double total = 0;
    std::vector<Access> accesses;
    for (auto _ : state) {
        AccessLog log;
        QElapsedTimer t;
        t.start();
        auto dlg = openOn(entry, sample, path, withOriginal);
        const double seconds = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
        accesses = log.accesses();
        dlg.reset();
    }
    reportFloor(state, total, accesses, path);
}

// The record list, or the list that stands for it (the spell icon editor's spells).
int recordList(CEditorDlg& dlg)
{
    if (dlg.recordListId()) return dlg.recordListId();
    return dlg.findChild<QComboBox*>(QStringLiteral("1015")) ? 1015 : 0;
}

void benchRecord(benchmark::State& state, const EditorEntry& entry, const Sample& sample)
{
    const QString path = sampleCopy(sample);
    auto dlg = openOn(entry, sample, path);
    const int list = recordList(*dlg);
    if (!list) {
        state.SkipWithError("one record only");
        return;
    }
    auto* combo = qobject_cast<QComboBox*>(dlg->item(list));
    const int rows = dlg->rowCount(list);
    int row = 0;
    double total = 0;
    std::vector<Access> accesses;
    for (auto _ : state) {
        row = (row + 7) % rows;
        AccessLog log;
        QElapsedTimer t;
        t.start();
        if (combo) combo->setCurrentIndex(row);
        dlg->grab(); // with its repaint
        const double seconds = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
        accesses = log.accesses();
    }
    reportFloor(state, total, accesses, path);
}

// One change the user makes, and the change back: a number of the record shown, else
// a text, else a list row. What Save then writes.
std::function<void(bool)> someChange(CEditorDlg& dlg)
{
    for (const FieldBinding* binding : dlg.bindings()) {
        for (const auto& bound : binding->controls()) {
            QWidget* w = dlg.item(bound.control->id());
            if (bound.field.field->readOnly || !w->isEnabled()) continue;
            auto* line = qobject_cast<QLineEdit*>(w);
            if (line && line->isReadOnly()) continue;
            if (auto* number = dynamic_cast<const NumberEdit*>(bound.control)) {
                const QString a = line->text();
                const qlonglong v = a.toLongLong();
                const QString b = QString::number(v < number->range().max ? v + 1 : v - 1);
                return [line, a, b](bool there) { line->setText(there ? b : a); };
            }
            if (line) {
                const QString a = line->text();
                const QString b = a == QLatin1String("a") ? QStringLiteral("b") : QStringLiteral("a");
                return [line, a, b](bool there) { line->setText(there ? b : a); };
            }
            if (auto* list = qobject_cast<QListWidget*>(w); list && list->count() > 1 &&
                                                             dynamic_cast<const RowChoice*>(bound.control)) {
                const int a = list->currentRow();
                const int b = a == 0 ? 1 : 0;
                return [list, a, b](bool there) { list->setCurrentRow(there ? b : a); };
            }
        }
    }
    return {};
}

void benchSave(benchmark::State& state, const EditorEntry& entry, const Sample& sample)
{
    const QString path = sampleCopy(sample);
    auto dlg = openOn(entry, sample, path);
    const std::function<void(bool)> change = someChange(*dlg);
    auto* icons = qobject_cast<QComboBox*>(dlg->findChild<QWidget*>(QStringLiteral("1161")));
    const bool writesAtOnce = !dlg->saveButtonId();
    if (!change && !(writesAtOnce && icons)) {
        state.SkipWithError("nothing to change");
        return;
    }
    double total = 0;
    int n = 0;
    std::vector<Access> accesses;
    for (auto _ : state) {
        ++n;
        AccessLog log;
        QElapsedTimer t;
        if (writesAtOnce) {
            // The icon list writes as it changes: that is this editor's Save.
            t.start();
            icons->setCurrentIndex(n % 2);
        } else {
            change(n % 2 == 1);
            t.start();
            dlg->button(dlg->saveButtonId())->click();
        }
        const double seconds = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
        accesses = log.accesses();
    }
    if (change) change(false), dlg->button(dlg->saveButtonId())->click();
    reportFloor(state, total, accesses, path);
}

// The heaviest list: the 1,022 Hellfire sound names, into one list and into two.
void benchSoundFill(benchmark::State& state, int lists)
{
    const Sample& sample = kSamples[1];
    const QString path = sampleCopy(sample);
    const DialogTemplate& flips = DialogTemplate::load(186);
    CDialog dlg(flips);
    double total = 0;
    std::vector<Access> accesses;
    for (auto _ : state) {
        dlg.list(1055)->clear();
        dlg.list(1056)->clear();
        AccessLog log;
        QElapsedTimer t;
        t.start();
        WorkingCopy file(QFile::encodeName(path).toStdString(), WorkingCopy::Mode::ReadOnly);
        if (lists == 1) FillSoundList(dlg, 1055, file, *sample.edition);
        else FillSoundList(dlg, {1055, 1056}, file, *sample.edition);
        file.close();
        const double seconds = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
        accesses = log.accesses();
    }
    reportFloor(state, total, accesses, path);
}

// Wall time of a child process from spawn to exit, and its peak memory.
struct ChildRun {
    double seconds = 0;
    long peakKiB = 0;
};

ChildRun runChild(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // The children's own complaints about the offscreen platform are no part of the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &quiet, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return {};
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    return {t.nsecsElapsed() / 1e9, usage.ru_maxrss};
}

void benchStart(benchmark::State& state, std::vector<std::string> argv)
{
    double total = 0;
    long peak = 0;
    for (auto _ : state) {
        const ChildRun run = runChild(argv);
        state.SetIterationTime(run.seconds);
        total += run.seconds;
        peak = std::max(peak, run.peakKiB);
    }
    state.counters["peak_MiB"] = peak / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QTemporaryDir scratch;
    g_scratch = &scratch;

    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    const std::string hellfire = sampleCopy(kSamples[1]).toStdString();
    benchmark::RegisterBenchmark("Start/trivial_qt_dialog", benchStart,
                                 std::vector<std::string>{here + "/tarvix-bench-child", "trivial"})
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
    benchmark::RegisterBenchmark("Start/tarvix_main_window", benchStart,
                                 std::vector<std::string>{here + "/tarvix-bench-child", "tarvix"})
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
    benchmark::RegisterBenchmark("Start/tarvix_with_item_flips_open", benchStart,
                                 std::vector<std::string>{here + "/tarvix-bench-child", "tarvix", hellfire, "1050"})
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("Start/tarvix_with_bosses_open", benchStart,
                                 std::vector<std::string>{here + "/tarvix-bench-child", "tarvix", hellfire, "1009"})
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

    for (const Sample& sample : kSamples) {
        for (const EditorEntry& entry : editors()) {
            const std::string name = std::string(entry.name) + "/" + sample.name;
            benchmark::RegisterBenchmark(("Open/" + name).c_str(), benchOpen, std::cref(entry), std::cref(sample),
                                         false)
                ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.3);
            // With the mod's original known: every differing field and record marked.
            benchmark::RegisterBenchmark(("OpenMarked/" + name).c_str(), benchOpen, std::cref(entry),
                                         std::cref(sample), true)
                ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.2);
            if (entry.hasRecordList)
                benchmark::RegisterBenchmark(("Record/" + name).c_str(), benchRecord, std::cref(entry),
                                             std::cref(sample))
                    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.2);
            benchmark::RegisterBenchmark(("Save/" + name).c_str(), benchSave, std::cref(entry), std::cref(sample))
                ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.2);
        }
    }
    benchmark::RegisterBenchmark("Fill/1022_sounds_one_list", benchSoundFill, 1)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.3);
    benchmark::RegisterBenchmark("Fill/1022_sounds_two_lists", benchSoundFill, 2)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.3);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Peak memory of this run (every editor opened many times): %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
