#pragma once

#include "shell/commandline.h"

#include <QByteArray>
#include <QString>
#include <span>

namespace vellora::options {

constexpr unsigned bit(Command command)
{
    return 1u << unsigned(command);
}

// One row of the command line. A row that starts a command takes the name of the output as its value; the
// others qualify the commands they belong to. A row without a name is the command's own argument.
struct OptionRow
{
    const char *name;   // after the two dashes
    const char *value;  // the value's name in the usage; nullptr for a switch
    Command starts;     // Window for a row that starts nothing
    unsigned belongsTo; // bit(command) for each command it qualifies
    const char *usage;  // UTF-8
};

// Every row, in the order the usage lists them.
std::span<const OptionRow> rows();
// The row of the option named, or null.
const OptionRow *find(const QByteArray &name);
// Its place among rows().
std::size_t indexOf(const OptionRow *row);
// "--name"
QString dashed(const char *name);

} // namespace vellora::options
