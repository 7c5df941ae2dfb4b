#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "core/messages.h"

namespace walkconv::cli {

void InputOrder::WaitFor(std::size_t index) {
    std::unique_lock lock(mutex_);
    turnCame_.wait(lock, [&] { return current_ == index; });
}

void InputOrder::Pass() {
    {
        std::lock_guard lock(mutex_);
        ++current_;
    }
    turnCame_.notify_all();
}

Turn::~Turn() {
    Wait();
    order_.Pass();
}

void Turn::Wait() {
    if (!waited_) {
        order_.WaitFor(index_);
        waited_ = true;
    }
}

ExitStatus ForEachInput(const std::vector<std::string>& inputs, const InputWork& work,
                        std::ostream& err) {
    std::vector<ExitStatus> statuses(inputs.size(), ExitStatus::Success);
    InputOrder order;
    std::atomic<std::size_t> next = 0;
    const auto worker = [&] {
        for (std::size_t i = next++; i < inputs.size(); i = next++) {
            Turn turn(order, i);
            try {
                statuses[i] = work(inputs[i], turn);
            } catch (...) {
                // Nothing but a lack of memory gets here: the readers and writers report
                // their own failures.
                turn.Wait();
                err << inputs[i] << ": " << kInputCorruptedMessage << "\n";
                statuses[i] = ExitStatus::Failed;
            }
        }
    };
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < std::min(cores, inputs.size()); ++i) {
            try {
                helpers.emplace_back(worker);
            } catch (const std::system_error&) {
                break;  // no more threads to be had: fewer workers do the same work
            }
        }
        worker();
    }
    ExitStatus status = ExitStatus::Success;
    for (const ExitStatus one : statuses) {
        status = MoreSevere(status, one);
    }
    return status;
}

}  // namespace walkconv::cli
