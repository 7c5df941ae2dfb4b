#include "cli/edit_operations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <variant>

#include "core/numbers.h"

namespace walkconv::cli {

namespace {

// The edit an operation makes of the document with its numbers, or why it makes none.
using Built = std::variant<Edit, std::string>;
using Builder = Built (*)(const GraphDocument& document, std::span<const double> numbers);

struct OperationSpec {
    std::string_view name;
    std::string_view operands;  // as the help shows them
    std::size_t count;
    Builder build;
};

// A point number given as a number: whole, within 16 bits.
std::optional<int> PointNumber(double value) {
    if (value != std::floor(value) || std::abs(value) > 32767) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string NotAPoint(double value) {
    return NumberToText(value) + " is not a point number";
}

// Every point moved by `f`, as one edit.
template <typename F>
Edit MoveEvery(const GraphDocument& document, F f) {
    EditGroup group;
    for (std::size_t i = 0; i < document.points.size(); ++i) {
        const Point& p = document.points[i];
        const Point to = f(p);
        group.steps.emplace_back(MovePoint{static_cast<int>(i), to.x, to.y, to.z});
    }
    return group;
}

constexpr std::array kOperations{
    OperationSpec{"move", "N X Y Z", 4,
                  [](const GraphDocument&, std::span<const double> n) -> Built {
                      const auto point = PointNumber(n[0]);
                      if (!point) {
                          return NotAPoint(n[0]);
                      }
                      return Edit(MovePoint{*point, n[1], n[2], n[3]});
                  }},
    OperationSpec{"type", "N T", 2,
                  [](const GraphDocument&, std::span<const double> n) -> Built {
                      const auto point = PointNumber(n[0]);
                      if (!point) {
                          return NotAPoint(n[0]);
                      }
                      return Edit(SetPointType{*point, n[1]});
                  }},
    OperationSpec{"add", "X Y Z T", 4,
                  [](const GraphDocument&, std::span<const double> n) -> Built {
                      return Edit(AddPoint{Point{n[0], n[1], n[2], n[3]}});
                  }},
    OperationSpec{"remove", "N", 1,
                  [](const GraphDocument&, std::span<const double> n) -> Built {
                      const auto point = PointNumber(n[0]);
                      if (!point) {
                          return NotAPoint(n[0]);
                      }
                      return Edit(RemovePoint{*point});
                  }},
    OperationSpec{"link", "A B", 2,
                  [](const GraphDocument&, std::span<const double> n) -> Built {
                      const auto a = PointNumber(n[0]);
                      const auto b = PointNumber(n[1]);
                      if (!a || !b) {
                          return NotAPoint(a ? n[1] : n[0]);
                      }
                      return Edit(AddLink{*a, *b});
                  }},
    OperationSpec{"unlink", "A B", 2,
                  [](const GraphDocument& document, std::span<const double> n) -> Built {
                      const auto a = PointNumber(n[0]);
                      const auto b = PointNumber(n[1]);
                      if (!a || !b) {
                          return NotAPoint(a ? n[1] : n[0]);
                      }
                      for (std::size_t i = 0; i < document.links.size(); ++i) {
                          const Link& ends = document.links[i].ends;
                          if ((ends.from == *a && ends.to == *b) ||
                              (ends.from == *b && ends.to == *a)) {
                              return Edit(RemoveLink{static_cast<int>(i)});
                          }
                      }
                      return "there is no link between points " + std::to_string(*a) + " and " +
                             std::to_string(*b);
                  }},
    OperationSpec{"translate", "DX DY DZ", 3,
                  [](const GraphDocument& document, std::span<const double> n) -> Built {
                      return MoveEvery(document, [n](Point p) {
                          p.x += n[0];
                          p.y += n[1];
                          p.z += n[2];
                          return p;
                      });
                  }},
    OperationSpec{"scale", "F", 1,
                  [](const GraphDocument& document, std::span<const double> n) -> Built {
                      return MoveEvery(document, [f = n[0]](Point p) {
                          p.x *= f;
                          p.y *= f;
                          p.z *= f;
                          return p;
                      });
                  }},
};

const OperationSpec* FindOperation(std::string_view name) {
    const auto it = std::find_if(kOperations.begin(), kOperations.end(),
                                 [name](const OperationSpec& spec) { return spec.name == name; });
    return it == kOperations.end() ? nullptr : &*it;
}

// The value of a whole word that is a finite number: "-3.5", "2", "1e3".
std::optional<double> NumberWord(std::string_view word) {
    double value = 0;
    const char* begin = word.data();
    const char* end = begin + word.size();
    if (!word.empty() && word.front() == '+') {
        ++begin;
    }
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc{} || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The options of edit that take a value, whose value is never an operation or an input.
bool TakesValue(std::string_view word) {
    return word == "-o" || word == "--output" || word == "-d" || word == "--dir" ||
           word == "--format";
}

}  // namespace

std::string OperationUsage() {
    std::string usage;
    for (const OperationSpec& spec : kOperations) {
        usage +=
            (usage.empty() ? "" : ", ") + std::string(spec.name) + " " + std::string(spec.operands);
    }
    return usage;
}

bool IsOperation(std::string_view word) {
    return FindOperation(word) != nullptr;
}

SplitArguments SplitOperations(std::span<const std::string> words) {
    SplitArguments split;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const OperationSpec* spec = FindOperation(word);
        if (spec == nullptr) {
            if (!split.operations.empty() && !word.starts_with('-')) {
                split.problem =
                    "'" + word + "' is not an operation; the inputs come before the operations";
                return split;
            }
            split.rest.push_back(word);
            if (TakesValue(word) && i + 1 < words.size()) {
                split.rest.push_back(words[++i]);
            }
            continue;
        }
        EditOperation operation;
        operation.name = word;
        operation.text = word;
        operation.place = static_cast<int>(split.operations.size()) + 1;
        for (std::size_t k = 0; k < spec->count; ++k) {
            const std::optional<double> number =
                i + 1 < words.size() ? NumberWord(words[i + 1]) : std::nullopt;
            if (!number) {
                split.problem = "operation " + std::to_string(operation.place) + ": " + word +
                                " takes " + std::string(spec->operands) + ", numbers" +
                                (i + 1 < words.size() ? ", not '" + words[i + 1] + "'" : "");
                return split;
            }
            operation.numbers.push_back(*number);
            operation.text += " " + words[++i];
        }
        split.operations.push_back(std::move(operation));
    }
    return split;
}

EditResult ApplyOperation(GraphDocument& document, const EditOperation& operation) {
    const OperationSpec* spec = FindOperation(operation.name);
    if (spec == nullptr || operation.numbers.size() != spec->count) {
        return EditResult{std::nullopt, "'" + operation.text + "' is not an operation"};
    }
    Built built = spec->build(document, operation.numbers);
    if (std::string* refusal = std::get_if<std::string>(&built)) {
        return EditResult{std::nullopt, std::move(*refusal)};
    }
    return ApplyEdit(document, std::get<Edit>(built));
}

}  // namespace walkconv::cli
