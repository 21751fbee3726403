// The desktop program on large mechanisms (ic8_llnl3: about 8000 lines, 874 species; C3MechV3.3:
// about 45700 lines, 3761 species): opening one in the window, filling the species list and the
// two text tabs, a trimming by file, and the reduced-mechanism generation. Each step is timed on the window's thread as the window does it,
// lists laid out and painted (the window shown), median of the repeats, wall and thread CPU.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_workbench [repeats]

#include <time.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/trimming.h"
#include "app/workbench/list_fill.h"
#include "app/workbench/pruvex_form.h"
#include "app/workbench/vantor_windows.h"

namespace {

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int repeats = 7;

// `setup` runs untimed before each repeat; the events `work` leaves (layout, paint) are timed.
void Step(const char* name, const std::function<void()>& work, const std::function<void()>& setup = {}) {
    std::vector<double> wall, cpu;
    for (int r = 0; r < repeats; ++r) {
        if (setup) setup();
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        const double start = ThreadCpuMs();
        work();
        QApplication::processEvents();
        cpu.push_back(ThreadCpuMs() - start);
        wall.push_back(static_cast<double>(clock.nsecsElapsed()) * 1e-6);
    }
    std::printf("%-44s %10.1f %10.1f\n", name, Median(wall), Median(cpu));
}

// One mechanism through the window's steps; `mixture` goes into the reduced mechanism's header.
void BenchMechanism(TPruvexForm& window, const QString& here, const std::string& label, const std::string& source,
                    const std::string& mixture) {
    const std::string inp = here.toStdString() + "/" + label + ".inp";
    std::filesystem::copy_file(source, inp, std::filesystem::copy_options::overwrite_existing);

    vantor::MechanismModel model;
    vantor::OpenMechanism(model, inp);
    const int NS = static_cast<int>(model.Species.size());

    // The trimmed-species file and the name list: every third species after the first 20.
    const std::string trm = here.toStdString() + "/SP.TRM", names = here.toStdString() + "/names.txt";
    {
        std::ofstream t(trm), n(names);
        t << "NOTE: Original SP#=" << NS << "\n";
        for (int k = 21; k <= NS; k += 3) {
            t << " " << k;
            n << model.Species[static_cast<size_t>(k - 1)].name << "\n";
        }
        t << "\n";
    }

    std::printf("\n%s: %zu lines, %d species; median of %d\n", label.c_str(), model.MechanismText.size(), NS,
                repeats);
    std::printf("%-44s %10s %10s\n", "step", "wall_ms", "cpu_ms");

    auto* species = window.findChild<QListWidget*>("SP_CheckListBox");
    auto* text = window.findChild<QListWidget*>("OINP_CheckListBox");
    auto* reduced = window.findChild<QListWidget*>("NEWINP_ListBox");
    auto* pages = window.findChild<QTabWidget*>("PageS");

    Step("read the mechanism (core)", [&] {
        vantor::MechanismModel m;
        vantor::OpenMechanism(m, inp);
    });
    Step("INP open in the window (all of it)", [&] { window.OpenMechanismFile(QString::fromStdString(inp)); });
    Step("species list fill", [&] { vantor::FillSpeciesList(species, model); });
    Step("original text tab fill", [&] { vantor::FillMechanismText(text, model); },
         [&] { pages->setCurrentIndex(0); });

    Step("trimmed-species file read (core)", [&] {
        model.TrimmedSpeciesPath = trm;
        vantor::ReadTrimmedSpecies(model);
    });
    Step("remove by species name file (core)", [&] { vantor::RemoveBySpeciesName(model, names); });
    Step("trimming by file + species list", [&] {
        model.TrimmedSpeciesPath = trm;
        vantor::ReadTrimmedSpecies(model);
        vantor::FillSpeciesList(species, model);
    });

    vantor::ReducedWriterJob job;
    job.model = model;
    job.trimmedSpeciesPath = trm;
    job.workDirectory = here.toStdString();
    job.settings.pressures = {20.0, 40.0};
    job.settings.temperatures = {1000.0, 1200.0};
    job.settings.mixtureLines = {mixture};
    job.settings.timestamp = "2026-01-01 00:00:00";
    vantor::ReducedWriterOutcome outcome;
    Step("reduced generation (worker thread)", [&] {
        vantor::ReducedWriterJob copy = job;
        outcome = vantor::BuildReducedMechanism(copy);
    });
    // The window's part of a generation: the model copied for the worker, the outcome applied
    // and both lists refilled.
    Step("reduced generation (window thread)", [&] {
        vantor::ReducedWriterJob copy;
        copy.model = model;
        vantor::ApplyReducedOutcome(model, outcome);
        vantor::FillSpeciesList(species, model);
        vantor::FillReducedText(reduced, model);
    });
    Step("reduced text tab fill", [&] { vantor::FillReducedText(reduced, model); },
         [&] { pages->setCurrentIndex(1); });
    Step("reduced tab shown after a fill", [&] { pages->setCurrentIndex(1); }, [&] {
        pages->setCurrentIndex(0);
        vantor::FillReducedText(reduced, model);
    });
    Step("original tab shown after a fill", [&] { pages->setCurrentIndex(0); }, [&] {
        pages->setCurrentIndex(1);
        vantor::FillMechanismText(text, model);
    });
    std::printf("reduced text: %zu lines, %d species kept\n", model.ReducedText.size(), model.KeptSpeciesCount);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1) repeats = std::max(1, std::atoi(argv[1]));
    QTemporaryDir folder;
    const QString here = folder.path();
    QDir::setCurrent(here);
    const std::string corpus = std::string(VANTOR_TEST_DATA_DIR) + "/corpus/";

    VantorWindows windows = CreateVantorWindows();
    TPruvexForm& window = *windows.main;
    window.show();
    QApplication::processEvents();

    BenchMechanism(window, here, "ic8_llnl3", corpus + "ic8_llnl3/ic8_ver3_mech.txt", "IC8H18 1, O2 12.5, N2 47");
    BenchMechanism(window, here, "C3MechV3.3", corpus + "c3mech33/C3MechV3.3.MECH", "NC7H16 1, O2 11, N2 41.36");
    return 0;
}
