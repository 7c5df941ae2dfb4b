#pragma once

// Point types: walk sources and sailorpoints files give some kinds of point different codes.
// Converting a file maps its codes into those of the other kind.
namespace walkconv {

// The codes in which a reader stores point types.
enum class TypeCodes {
    OtherKind,  // mapped into the other kind's codes, as converting the file needs them
    OwnKind,    // as the file writes them
};

// A walk source's type in sailorpoints codes: 5 becomes 10 and 4 becomes 7; others stay.
double WalkTypeInSailorpoints(double type);

// A sailorpoints type in walk source codes: 7, 8 and 9 become 4, and 10 becomes 5; others stay.
double SailorpointsTypeInWalk(double type);

}  // namespace walkconv
