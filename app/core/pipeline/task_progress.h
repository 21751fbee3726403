#pragma once
// The step list of a run and its progress: which task each step runs, the weight of every task
// code in the overall progress, and the percent done that each task's entry writes.

#include <array>
#include <cstdint>
#include <string>

namespace vantor {

inline constexpr int kTaskSlots = 10;  // codes and steps 1..10

// Task codes.
enum TaskCode : int32_t {
    kTaskStandardData = 1,
    kTaskReduction = 2,
    kTaskMechanismBinary = 3,
    kTaskTransportBinary = 4,
    kTaskReducedMechanism = 5,
};

struct TTask {
    int32_t ID = 0;    // task code of the step
    int32_t NSTA = 0;  // 0 not started, 1 started
    std::string Name;  // display name, when the entry is read by task code
};

struct TPROGRESS {
    int32_t NTask = 0;  // steps still to run; 0 idle
    double VPROG = 0.0;
    std::array<double, kTaskSlots + 1> RatioTask{};  // weight of task code c, [1..10]
    // Percent done of task code c, [1..10]; written by the entry on the worker thread, so every
    // access goes through std::atomic_ref.
    std::array<double, kTaskSlots + 1> VPRGTASK{};
    int32_t ITASK = 0;                        // 1-based position of the current step
    std::array<TTask, kTaskSlots + 1> TASKs;  // [k].ID: step k; [c].Name: name of code c

    TPROGRESS();

    // Overall fraction done: the weighted sum of the tasks' percentages (each capped at 100, a
    // value that is not a number counting as 100), itself capped at 1; 0 when idle.
    double GETVPRG();

    double Progress(int code);
    void SetProgress(int code, double value);
    // Clears the weights, the percentages and the started marks of every slot.
    void ClearSlots();
};

// The heartbeat shown beside the messages: seven states, advanced whenever the progress moves.
std::string HeartbeatCaption(int state);
inline int NextHeartbeatState(int state) { return (state + 1) % 7; }

}  // namespace vantor
