#pragma once
// Runs a piece of a test as an ordinary user: in a forked child that gives up root for the user
// and group "nobody" (when it has root to give up). For opens that a user without rights must see
// refused, whoever runs the tests.

#include <functional>
#include <string>

// What `work` returned in the child, or a text starting with "child:" when the child could not
// drop its rights or did not report.
std::string RunUnprivileged(const std::function<std::string()>& work);
