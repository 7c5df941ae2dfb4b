#pragma once

#include <string>

namespace walkconv {

// The two kinds of input the converters read.
enum class InputKind { WalkSource, Sailorpoints };

// The kind of the file at `inputPath` (UTF-8): a ".c" file is a walk source and a ".ini" file
// a sailorpoints file (either case); any other is a sailorpoints file when it holds one of its
// section words, else a walk source, as is a file that is missing or cannot be read.
InputKind KindOfInput(const std::string& inputPath);

}  // namespace walkconv
