#pragma once
// The command line's reading of function curves, without any window: their
// key points (--key-points) or a table of values (--table), printed as
// tab-separated lines.

#include <QString>
#include <optional>
#include <vector>

namespace plotdesk {

struct ReadingRequest {
    enum class Kind { KeyPoints, Table };
    Kind kind = Kind::KeyPoints;
    std::vector<QString> functions;
    // The sampling range; the stored settings when absent.
    std::optional<QString> start;
    std::optional<QString> end;
    std::optional<QString> step;
};

// Prints the answer on standard output and any refusal or note on standard
// error; returns the exit status (0, 2 refused, 3 some curve has no point).
int runReading(const ReadingRequest& request);

}  // namespace plotdesk
