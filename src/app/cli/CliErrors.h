// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace florelle::cli {

// Bad input on the command line: exit status 2.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The command was understood but could not be carried out: exit status 1.
class Failure : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace florelle::cli
