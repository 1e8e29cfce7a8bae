// How much memory the program holds: it is started offscreen on a scenario and left until the
// launch picker's snapshot is written and every preview its first refresh asked for has been
// composed; after a settling time its peak (VmHWM) and settled (VmRSS) resident sizes are read
// from /proc. A bare Qt Widgets window built in the same tree is measured the same way, from
// its first drawing. Three runs of each; the medians are printed.
//
//   bench_memory_footprint [--runs N] [--settle SECONDS] [--program PATH]
//   bench_memory_footprint --write-scenario PATH   (the scenario of 80 windows, for --scenario)
//
// The program quits after its snapshot when it has no display, so it is given a display name
// while Qt draws offscreen. Its preview lines (TESSARIN_SCREENSHOT_METRICS) tell when the
// refresh is done.

#include "FourDisplayScenario.h"
#include "ProcessStatus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tessarin;

// Generous: the sanitizer build on a machine busy with other builds takes over a minute to
// compose the first previews, and a slow start is no failure of the benchmark.
constexpr double kTimeoutSeconds = 200;

struct Footprint {
    double peakMB = 0;
    double settledMB = 0;
};

// Answers true once the lines a subject wrote so far say it is ready to be measured.
using Readiness = std::function<bool(const QByteArray& line)>;

struct Subject {
    std::string name;
    QString program;
    QStringList arguments;  // `%dir` stands for a fresh folder of the run
    bool asProgram = false; // the program's environment, and readiness, else the bare window's
};

Readiness programReadiness() {
    struct Progress {
        bool snapshotWritten = false;
        int requested = 0;
        int completed = 0;
    };
    auto progress = std::make_shared<Progress>();
    return [progress](const QByteArray& line) {
        progress->snapshotWritten |= line.startsWith("Wrote OSD snapshot to ");
        progress->requested += line.contains("event=window.preview.requested ") ? 1 : 0;
        progress->completed += line.contains("event=window.preview.completed ") ? 1 : 0;
        return progress->snapshotWritten && progress->requested > 0 &&
               progress->completed >= progress->requested;
    };
}

Readiness bareWindowReadiness() {
    return [](const QByteArray& line) { return line == "shown"; };
}

QProcessEnvironment environment(const Subject& subject, const QString& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (subject.asProgram) {
        env.insert("DISPLAY", ":memory-benchmark");
        env.insert("XDG_CONFIG_HOME", folder); // the default settings
        env.insert("TESSARIN_SCREENSHOT_METRICS", "1");
    }
    return env;
}

// Feeds every complete line written so far to `ready`; true once it answered true.
bool readLines(QProcess& process, QByteArray& pending, const Readiness& ready) {
    pending += process.readAll();
    bool isReady = false;
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        isReady = ready(pending.left(end).trimmed()) || isReady;
        pending.remove(0, end + 1);
    }
    return isReady;
}

void stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

std::optional<Footprint> measureOnce(const Subject& subject, double settleSeconds) {
    QTemporaryDir folder;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment(subject, folder.path()));
    QStringList arguments = subject.arguments;
    arguments.replaceInStrings("%dir", folder.path());
    process.start(subject.program, arguments);
    if (!process.waitForStarted()) {
        std::fprintf(stderr, "%s: cannot start %s\n", subject.name.c_str(),
                     qPrintable(subject.program));
        return std::nullopt;
    }
    const Readiness ready = subject.asProgram ? programReadiness() : bareWindowReadiness();
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    bool isReady = false;
    while (!isReady && process.state() == QProcess::Running &&
           clock.elapsed() < kTimeoutSeconds * 1000) {
        process.waitForReadyRead(50);
        isReady = readLines(process, pending, ready);
    }
    if (!isReady) {
        std::fprintf(stderr, "%s: not ready within %.0f s\n", subject.name.c_str(),
                     kTimeoutSeconds);
        stop(process);
        return std::nullopt;
    }
    clock.restart();
    while (clock.elapsed() < settleSeconds * 1000) {
        process.waitForReadyRead(50);
        process.readAll();
    }
    const auto peak = bench::statusMegabytes(std::to_string(process.processId()), "VmHWM");
    const auto settled = bench::statusMegabytes(std::to_string(process.processId()), "VmRSS");
    stop(process);
    if (!peak || !settled) {
        return std::nullopt;
    }
    return Footprint{*peak, *settled};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::optional<Footprint> measure(const Subject& subject, int runs, double settleSeconds) {
    std::vector<double> peaks;
    std::vector<double> settled;
    for (int run = 0; run < runs; ++run) {
        const auto footprint = measureOnce(subject, settleSeconds);
        if (!footprint) {
            return std::nullopt;
        }
        peaks.push_back(footprint->peakMB);
        settled.push_back(footprint->settledMB);
    }
    return Footprint{median(peaks), median(settled)};
}

// The benchmarks' four displays of 16 Spaces with 80 windows of five applications: the first
// four Spaces of each display hold two windows, the others one.
Scenario fourDisplaysOfEightyWindows() {
    Scenario scenario = bench::fourDisplaysOfSixteenSpaces();
    const std::vector<std::string> names{"Safari", "Mail", "Terminal", "Notes", "Xcode"};
    for (int32_t app = 0; app < 5; ++app) {
        scenario.applications.push_back({600 + app, "com.example." + names[app], names[app]});
    }
    int index = 0;
    for (std::size_t display = 0; display < scenario.spaceLists.size(); ++display) {
        const double left = scenario.displays[display].frame.minX();
        const auto& spaces = scenario.spaceLists[display].spaces;
        for (std::size_t space = 0; space < spaces.size(); ++space) {
            for (std::size_t copy = 0; copy < (space < 4 ? 2u : 1u); ++copy, ++index) {
                ServerWindow window;
                window.ownerPID = 600 + index % 5;
                window.ownerName = names[static_cast<std::size_t>(index % 5)];
                window.name = "Window " + std::to_string(index + 1);
                window.bounds = {left + 40 + 60.0 * (index % 7), 40 + 30.0 * (index % 5),
                                 800 + 50.0 * (index % 9), 500 + 40.0 * (index % 8)};
                window.spaces = {spaces[space].id};
                scenario.windows.push_back(window);
            }
        }
    }
    return scenario;
}

bool writeScenario(const Scenario& scenario, const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(QByteArray::fromStdString(scenarioToJson(scenario).dump(1))) > 0;
}

QString argumentText(const QStringList& arguments, const QString& name, const QString& fallback) {
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : fallback;
}

double argumentValue(const QStringList& arguments, const QString& name, double fallback) {
    return argumentText(arguments, name, QString::number(fallback)).toDouble();
}

void printRow(const std::string& name, const Footprint& footprint, const Footprint* bare) {
    std::printf("%-42s %9.1f %11.1f", name.c_str(), footprint.peakMB, footprint.settledMB);
    if (bare != nullptr) {
        std::printf("   %+7.1f %+9.1f", footprint.peakMB - bare->peakMB,
                    footprint.settledMB - bare->settledMB);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int runs = static_cast<int>(argumentValue(arguments, "--runs", 3));
    const double settle = argumentValue(arguments, "--settle", 3);
    const QString program = argumentText(arguments, "--program", TESSARIN_PROGRAM);
    QTemporaryDir scenarios;
    const QString wanted = argumentText(arguments, "--write-scenario", "");
    const QString eighty =
        wanted.isEmpty() ? scenarios.filePath("four-displays-80-windows.json") : wanted;
    if (!writeScenario(fourDisplaysOfEightyWindows(), eighty)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(eighty));
        return 1;
    }
    if (!wanted.isEmpty()) {
        return 0;
    }
    const QStringList launch{"--show-osd-on-launch", "--osd-snapshot-path", "%dir/picker.png"};
    const std::vector<Subject> programs{
        {"program, default scenario", program, launch, true},
        {"program, 4 displays x 16 Spaces, 80 windows", program,
         launch + QStringList{"--scenario", eighty}, true},
    };
    const auto bare =
        measure({"bare Qt Widgets window", TESSARIN_BARE_WINDOW, {}, false}, runs, settle);
    if (!bare) {
        return 1;
    }
    std::printf("Resident size in MB, medians of %d runs, %.1f s after the first preview refresh\n",
                runs, settle);
    std::printf("%-42s %9s %11s   %7s %9s\n", "", "peak", "settled", "peak+", "settled+");
    printRow("bare Qt Widgets window", *bare, nullptr);
    int status = 0;
    for (const Subject& subject : programs) {
        const auto footprint = measure(subject, runs, settle);
        if (!footprint) {
            status = 1;
            continue;
        }
        printRow(subject.name, *footprint, &*bare);
    }
    std::printf("Goals: settled at most bare + 20 MB, peak at most bare + 60 MB.\n");
    return status;
}
