#pragma once

namespace walkconv {

// The texts the user sees, shared by the windows and the command-line tool.
inline constexpr char kApplicationTitle[] = "Walk files converter";
inline constexpr char kNotValidWalkText[] = " This file is not a valid walk file";
inline constexpr char kNotValidSailorpointsText[] = " This file is not a valid sailorpoints file";
inline constexpr char kInputCorruptedMessage[] = "Error! Input file corrupted or not valid";
inline constexpr char kConvertedMessage[] = "File successfully converted!";

}  // namespace walkconv
