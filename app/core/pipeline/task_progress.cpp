#include "app/core/pipeline/task_progress.h"

#include <algorithm>
#include <cmath>

#include "common/entry_abi.h"

namespace vantor {

TPROGRESS::TPROGRESS() {
    const char* const names[] = {"", "Standard data calculation", "PFA calculation", "Tolmar data generation",
                                 "Pellor data generation", "New Chemistry generation"};
    for (int c = 1; c <= 5; ++c) {
        TASKs[c].ID = c;
        TASKs[c].Name = names[c];
    }
}

double TPROGRESS::Progress(int code) { return LoadProgress(&VPRGTASK[code]); }
void TPROGRESS::SetProgress(int code, double value) { StoreProgress(&VPRGTASK[code], value); }

void TPROGRESS::ClearSlots() {
    for (int c = 1; c <= kTaskSlots; ++c) {
        RatioTask[c] = 0.0;
        SetProgress(c, 0.0);
        TASKs[c].NSTA = 0;
    }
}

double TPROGRESS::GETVPRG() {
    if (NTask < 1) return 0.0;
    double sum = 0.0;
    for (int c = 1; c <= kTaskSlots; ++c) {
        const double p = Progress(c);
        const double percent = (std::isnan(p) || p > 100.0) ? 100.0 : p;
        sum += percent / 100.0 * RatioTask[c];
    }
    return std::isnan(sum) ? 1.0 : std::min(sum, 1.0);
}

std::string HeartbeatCaption(int state) {
    static const char* const captions[] = {"   >", ">", ">>", ">>>", ">>>>", " >>>", "  >>"};
    return captions[((state % 7) + 7) % 7];
}

}  // namespace vantor
