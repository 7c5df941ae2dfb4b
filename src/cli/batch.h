#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "cli/exit_status.h"

// Batches: the inputs are worked on side by side on every core, while everything they print
// or write happens in the order of the inputs, just as if they ran one after the other. So the
// lines come out in a fixed order (two inputs with one output are refused before the batch).
namespace walkconv::cli {

// Whose turn it is to print and write.
class InputOrder {
  public:
    void WaitFor(std::size_t index);
    void Pass();

  private:
    std::mutex mutex_;
    std::condition_variable turnCame_;
    std::size_t current_ = 0;
};

// The place of one input in that order. Wait() before printing or writing anything; the turn
// passes to the next input when this one is done.
class Turn {
  public:
    Turn(InputOrder& order, std::size_t index) : order_(order), index_(index) {}
    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

    void Wait();

  private:
    InputOrder& order_;
    std::size_t index_;
    bool waited_ = false;
};

// The work on one input; it returns the input's status.
using InputWork = std::function<ExitStatus(const std::string& input, Turn& turn)>;

// Runs `work` for every input and gives the most severe status. An exception that escapes the
// work (nothing but a lack of memory) fails that input with the corrupted-input message.
ExitStatus ForEachInput(const std::vector<std::string>& inputs, const InputWork& work,
                        std::ostream& err);

}  // namespace walkconv::cli
